#include "reckoning/annual_reading.h"

#include <array>
#include <charconv>
#include <cstring>

#include "embedded_data.h"
#include "reckoning/data_keys.h"
#include "reckoning/fixed_texts.h"

namespace tenkari {
namespace {

constexpr auto kTenGodPassages = [] {
    std::array<std::array<std::string_view, kStemCount>, kStemCount> table{};
    for (const auto& file : embedded::ten_god) {
        table.at(key_number(file.stem, 0)).at(key_number(file.stem, 1)) = file.bytes;
    }
    return table;
}();

// Stages in their cyclic order: 長生 沐浴 冠帯 建禄 帝旺 衰 病 死 墓 絶 胎 養.
constexpr int kStageCount = 12;

struct StageTexts {
    std::array<std::string_view, kStageCount> stages{};
    // Two cells carry their stage's text with an extra empty line after the heading.
    struct Variant {
        int name_stem = 0;
        int year_branch = 0;
        std::string_view passage;
    };
    std::array<Variant, 2> variants{};
};

constexpr StageTexts kStageTexts = [] {
    StageTexts texts;
    std::size_t variant_count = 0;
    for (const auto& file : embedded::twelve_stage) {
        if (key_starts_with(file.stem, "stage-")) {
            texts.stages.at(key_number(file.stem, 0)) = file.bytes;
        } else {
            texts.variants.at(variant_count++) = {key_number(file.stem, 0),
                                                  key_number(file.stem, 1), file.bytes};
        }
    }
    return texts;
}();

// The branch on which 長生 falls for each name stem (癸 甲 乙 丙 丁 戊 己 庚 辛 壬); 戊 and 己
// share the starting branches of 丙 and 丁.
constexpr std::array<int, kStemCount> kBirthBranch = {4, 0, 7, 3, 10, 3, 10, 6, 1, 9};

constexpr std::array<int, kStageCount> kStageVerdict = {
    kGoodYear, kAverageYear, kGoodYear, kGoodYear, kGoodYear,    kAverageYear,
    kBadYear,  kBadYear,     kBadYear,  kBadYear,  kAverageYear, kAverageYear};

// Name branch (rows) against year branch (columns), both from 亥 0 to 戌 11:
// S six-harmony line, T triple-harmony line, C clash line, '.' none. Rows 辰 and 申 depart from
// the usual harmonies and clashes; the grid is what readings show.
constexpr std::array<std::string_view, kBranchCount> kRelationGrid = {
    "...ST.C.T...",  // 亥
    "..S..T.C.T..",  // 子
    ".S....T.C.T.",  // 丑
    "S......T.C.T",  // 寅
    "T.......T.CS",  // 卯
    ".T....C..TS.",  // 辰
    "C.T......ST.",  // 巳
    ".C.T....S..T",  // 午
    "T.C.T..S....",  // 未
    "T.C.T.S.....",  // 申
    "..T.CST.....",  // 酉
    "...TSC.T....",  // 戌
};

// Heading line (an eleven-character year at most), ten-god passage, twelve-stage passage,
// relation line and banner all fit, so a reading is never cut short.
static_assert(32 + longest_bytes(embedded::ten_god) + longest_bytes(embedded::twelve_stage) +
                  2 * longest_bytes(embedded::texts) <
              kAnnualTextCapacity);

bool in_range(int index, int count) {
    return index >= 0 && index < count;
}

// Appends into annual_text, never past its end and always NUL-ended.
class TextBuffer {
  public:
    explicit TextBuffer(char (&buffer)[kAnnualTextCapacity]) : buffer_(buffer) { buffer_[0] = 0; }

    void append(std::string_view text) {
        if (text.empty()) {
            return;  // an absent piece has no bytes to copy, nor even a pointer
        }
        const std::size_t room = kAnnualTextCapacity - 1 - length_;
        const std::size_t count = text.size() < room ? text.size() : room;
        std::memcpy(buffer_ + length_, text.data(), count);
        length_ += count;
        buffer_[length_] = '\0';
    }

  private:
    char (&buffer_)[kAnnualTextCapacity];
    std::size_t length_ = 0;
};

}  // namespace

std::string_view ten_god_passage(int name_stem, int year_stem) {
    if (!in_range(name_stem, kStemCount) || !in_range(year_stem, kStemCount)) {
        return {};
    }
    return kTenGodPassages[name_stem][year_stem];
}

TwelveStageEntry twelve_stage_entry(int name_stem, int year_branch) {
    if (!in_range(name_stem, kStemCount) || !in_range(year_branch, kBranchCount)) {
        return {};
    }
    // A yang stem (odd index) counts its stages forward through the branches, a yin one back.
    const int start = kBirthBranch[name_stem];
    const int steps = name_stem % 2 == 1 ? year_branch - start : start - year_branch;
    const int stage = (steps + kBranchCount) % kBranchCount;
    TwelveStageEntry entry{kStageTexts.stages[stage], kStageVerdict[stage]};
    if (name_stem == 5 && year_branch == 8) {
        entry.verdict = kGoodYear;  // 戊 in a 未 year: 衰, yet a good year
    }
    for (const auto& variant : kStageTexts.variants) {
        if (variant.name_stem == name_stem && variant.year_branch == year_branch) {
            entry.passage = variant.passage;
        }
    }
    return entry;
}

std::string_view relation_line(int name_branch, int year_branch) {
    if (!in_range(name_branch, kBranchCount) || !in_range(year_branch, kBranchCount)) {
        return {};
    }
    switch (kRelationGrid[name_branch][year_branch]) {
        case 'S':
            return fixed_texts::six_harmony_line();
        case 'T':
            return fixed_texts::triple_harmony_line();
        case 'C':
            return fixed_texts::clash_line();
        default:
            return {};
    }
}

void compose_annual_reading(ReadingRecord& record) {
    TextBuffer text(record.annual_text);
    char year[16];
    const auto written = std::to_chars(year, year + sizeof year, record.judged_year);
    text.append(std::string_view(year, static_cast<std::size_t>(written.ptr - year)));
    text.append(fixed_texts::annual_heading_suffix());

    text.append(ten_god_passage(record.name_stem, record.year_stem));
    const TwelveStageEntry stage = twelve_stage_entry(record.name_stem, record.year_branch);
    text.append(stage.passage);
    text.append(relation_line(record.name_branch, record.year_branch));
    text.append(fixed_texts::verdict_banner(stage.verdict));
}

}  // namespace tenkari
