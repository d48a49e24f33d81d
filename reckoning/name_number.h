#pragma once

#include <array>
#include <cstdint>

#include "app/reading_record.h"
#include "reckoning/shift_jis.h"
#include "reckoning/stroke_table.h"

namespace tenkari {

// One byte pair of the walk over a name.
struct NamePair {
    int offset = 0;  // the position of the pair's first byte in the name
    // First byte * 256 + second byte; the second byte is 0 when the first is the last of the name.
    std::uint16_t code = 0;
    int strokes = 0;  // stroke_count(code)
    // The pair is exactly one double-byte character of the name; otherwise it straddles two
    // characters, or a character and the terminator.
    bool whole_character = false;
};

// A name of kNameCapacity bytes with no terminator still gives at most this many pairs.
inline constexpr int kMaxNamePairs = (kNameCapacity + 1) / 2;

struct NameWalk {
    std::array<NamePair, kMaxNamePairs> pairs{};
    int pair_count = 0;
    std::int32_t stroke_sum = 0;  // before the fold into the cycle
};

// Takes the bytes of a NUL-ended Shift-JIS name in pairs by position, not by character, counts
// the strokes of each pair, hands each pair to visit(const NamePair&) in order, and returns the
// stroke sum before the fold. The walk ends at the terminator or the end of the buffer; no byte
// beyond it is read. The one walk of both the name number, which visits nothing and runs on
// every reading, and the breakdown that shows how it is reached.
template <typename PairVisitor>
std::int32_t walk_name_pairs(const char (&name)[kNameCapacity], PairVisitor&& visit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(name);
    std::int32_t sum = 0;
    int character_start = 0;  // the first character boundary at or after the pair
    // Pairs go by position, not by character: a single-byte character shifts every pair after
    // it. A last byte with no partner pairs with the terminator.
    for (int i = 0; i < kNameCapacity && bytes[i] != 0; i += 2) {
        const bool last_byte = i + 1 == kNameCapacity || bytes[i + 1] == 0;
        const unsigned trail = last_byte ? 0 : bytes[i + 1];
        const auto code = static_cast<std::uint16_t>(bytes[i] << 8 | trail);
        // Every byte before the pair's is part of the name, so a lead byte there has its trail.
        while (character_start < i) {
            character_start += is_sjis_lead_byte(bytes[character_start]) ? 2 : 1;
        }
        const NamePair pair{
            .offset = i,
            .code = code,
            .strokes = stroke_count(code),
            .whole_character = character_start == i && is_sjis_lead_byte(bytes[i]) && !last_byte,
        };
        sum += pair.strokes;
        visit(pair);
        if (last_byte) {
            break;
        }
    }
    return sum;
}

// The walk with every pair kept, for a front end that shows how the name number is reached.
NameWalk walk_name(const char (&name)[kNameCapacity]);

// Sums the stroke counts of the name's bytes taken in pairs by position, folds the sum into the
// cycle once, and writes name_number, name_stem and name_branch.
void compute_name_number(ReadingRecord& record);

}  // namespace tenkari
