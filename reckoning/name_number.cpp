#include "reckoning/name_number.h"

#include <algorithm>
#include <string_view>

#include "reckoning/cycle.h"
#include "reckoning/shift_jis.h"
#include "reckoning/stroke_table.h"

namespace tenkari {

NameWalk walk_name(const char (&name)[kNameCapacity]) {
    // The end of the buffer counts as a terminator, so nothing past it is read.
    const std::string_view text(
        name, static_cast<std::size_t>(std::find(name, name + kNameCapacity, '\0') - name));
    NameWalk walk;
    std::size_t character_start = 0;  // the first character boundary at or after the pair
    // Pairs go by position, not by character: a single-byte character shifts every pair after
    // it. A last byte with no partner pairs with the terminator.
    for (std::size_t i = 0; i < text.size(); i += 2) {
        while (character_start < i) {
            character_start += sjis_character_width(text.substr(character_start));
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        const unsigned trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        NamePair& pair = walk.pairs[static_cast<std::size_t>(walk.pair_count++)];
        pair.offset = static_cast<int>(i);
        pair.code = static_cast<std::uint16_t>(lead << 8 | trail);
        pair.strokes = stroke_count(pair.code);
        pair.whole_character = character_start == i && sjis_character_width(text.substr(i)) == 2;
        walk.stroke_sum += pair.strokes;
    }
    return walk;
}

void compute_name_number(ReadingRecord& record) {
    const std::int32_t sum = walk_name(record.name).stroke_sum;
    record.name_number = static_cast<std::int32_t>(fold_into_cycle(sum));
    record.name_stem = stem_index_of(record.name_number);
    record.name_branch = branch_index_of(record.name_number);
}

}  // namespace tenkari
