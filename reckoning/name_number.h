#pragma once

#include "app/reading_record.h"

namespace tenkari {

// Sums the stroke counts of the name's bytes taken in pairs by position, folds the sum into the
// cycle once, and writes name_number, name_stem and name_branch.
void compute_name_number(ReadingRecord& record);

}  // namespace tenkari
