#pragma once

#include <array>
#include <cstdint>

#include "app/reading_record.h"

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

// Takes the bytes of a NUL-ended Shift-JIS name in pairs by position, not by character, and
// counts the strokes of each pair. The walk ends at the terminator or the end of the buffer;
// no byte beyond it is read.
NameWalk walk_name(const char (&name)[kNameCapacity]);

// Sums the stroke counts of the name's bytes taken in pairs by position, folds the sum into the
// cycle once, and writes name_number, name_stem and name_branch.
void compute_name_number(ReadingRecord& record);

}  // namespace tenkari
