#pragma once

#include <array>
#include <cstdint>

namespace tenkari {

inline constexpr int kStrokeClassCount = 30;

// Stroke class k (1..30): its characters as one NUL-ended Shift-JIS string, two bytes each,
// with no separator. nullptr for any other k.
const char* stroke_class(int k);

// The class of every code, built from the classes when the program is compiled.
extern const std::array<std::uint8_t, 65536> kStrokeIndex;

// The first class, searched from 1 up, that holds the double-byte character with this code
// (lead byte * 256 + trail byte); 0 when none does. Answered from the index, inline: the name
// number asks once per byte pair of every reading.
inline int stroke_count(std::uint16_t code) {
    return kStrokeIndex[code];
}

// The same answer found by walking the classes character by character; the index is checked
// against it.
int stroke_count_by_search(std::uint16_t code);

}  // namespace tenkari
