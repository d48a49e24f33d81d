#pragma once

#include <cstdint>

namespace tenkari {

inline constexpr int kStrokeClassCount = 30;

// Stroke class k (1..30): its characters as one NUL-ended Shift-JIS string, two bytes each,
// with no separator. nullptr for any other k.
const char* stroke_class(int k);

// The first class, searched from 1 up, that holds the double-byte character with this code
// (lead byte * 256 + trail byte); 0 when none does. Answered from an index built from the
// classes.
int stroke_count(std::uint16_t code);

// The same answer found by walking the classes character by character; the index is checked
// against it.
int stroke_count_by_search(std::uint16_t code);

}  // namespace tenkari
