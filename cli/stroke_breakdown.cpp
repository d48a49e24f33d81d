#include "cli/stroke_breakdown.h"

#include <cstdio>
#include <string_view>

#include "cli/code_page.h"
#include "reckoning/counted_forms.h"
#include "reckoning/name_number.h"

namespace tenkari::cli {
namespace {

// By stem index 0..9 and branch index 0..11 (index 0 is the last of each cycle).
constexpr std::string_view kStemNames[10] = {"癸", "甲", "乙", "丙", "丁",
                                             "戊", "己", "庚", "辛", "壬"};
constexpr std::string_view kBranchNames[12] = {"亥", "子", "丑", "寅", "卯", "辰",
                                               "巳", "午", "未", "申", "酉", "戌"};

std::string pair_label(const ReadingRecord& record, const NamePair& pair) {
    if (pair.whole_character) {
        return sjis_to_utf8(std::string_view(record.name + pair.offset, 2));
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(pair.code));
    return hex;
}

}  // namespace

std::string stroke_breakdown(ReadingRecord& record) {
    const NameWalk walk = walk_name(record.name);
    compute_name_number(record);
    std::string out;
    for (int i = 0; i < walk.pair_count; ++i) {
        const NamePair& pair = walk.pairs[static_cast<std::size_t>(i)];
        out += pair_label(record, pair) + " " + std::to_string(pair.strokes) + "\n";
    }
    out += "sum " + std::to_string(walk.stroke_sum) + "\n";
    out += "name_number " + std::to_string(record.name_number) + " ";
    out += kStemNames[record.name_stem];
    out += " ";
    out += kBranchNames[record.name_branch];
    out += "\n";
    return out;
}

std::string uncounted_note(const ReadingRecord& record) {
    std::string out;
    for (const UncountedCharacter& each : uncounted_characters(record.name)) {
        out += "uncounted " + sjis_to_utf8(each.character);
        if (!each.counted_form.empty()) {
            out += " counted_form " + sjis_to_utf8(each.counted_form);
        }
        out += "\n";
    }
    return out;
}

}  // namespace tenkari::cli
