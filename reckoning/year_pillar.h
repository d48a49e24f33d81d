#pragma once

#include <cstdint>

#include "app/reading_record.h"

namespace tenkari {

struct YearPillar {
    std::int32_t stem;
    std::int32_t branch;
};

// The pillar of an age cycle number. Forward (men): counted age 1 is 丙寅 and each year steps
// one pair on; backward (women): counted age 1 is 壬申 and each year steps one pair back.
// Defined for every number, so that it always gives indices in range.
YearPillar year_pillar_for(std::int64_t age_cycle_number, bool forward);

// From birth_year, judged_year and is_male to counted_age, age_cycle_number, year_stem and
// year_branch. Forward only when is_male is exactly 1.
void compute_year_pillar(ReadingRecord& record);

}  // namespace tenkari
