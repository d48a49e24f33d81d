#pragma once

#include <string>

#include "app/reading_record.h"

namespace tenkari::cli {

// How the name number of the record's name is reached, in UTF-8: one line per byte pair of the
// walk, the pair as its character (or, for a pair that straddles characters, its code as 0x
// and four hex digits) and its stroke count; then "sum S" and "name_number N STEM BRANCH".
// Computes the name number into the record as the reading does.
std::string stroke_breakdown(ReadingRecord& record);

// The characters of the record's name that the stroke table counts 0, in UTF-8, one line each:
// "uncounted C", and " counted_form F" after it where the table counts a common form F of C.
// Empty when the table counts every character.
std::string uncounted_note(const ReadingRecord& record);

}  // namespace tenkari::cli
