#include "reckoning/year_pillar.h"

#include <algorithm>
#include <limits>

#include "reckoning/cycle.h"

namespace tenkari {
namespace {

std::int32_t saturated(std::int64_t n) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

YearPillar year_pillar_for(std::int64_t age_cycle_number, bool forward) {
    // The pair's place in the cycle (1 = 甲子): two on from the age forward, ten less it backward.
    const std::int64_t pillar = forward ? age_cycle_number + 2 : 10 - age_cycle_number;
    return {stem_index_of(pillar), branch_index_of(pillar)};
}

void compute_year_pillar(ReadingRecord& record) {
    // Counted in 64 bits: the input rules keep the age within 1..120, but no pair of 32-bit
    // years may overflow here.
    const std::int64_t counted_age = std::int64_t{record.judged_year} - record.birth_year + 1;
    const std::int64_t age_cycle_number = fold_into_cycle(counted_age);
    record.counted_age = saturated(counted_age);
    record.age_cycle_number = saturated(age_cycle_number);
    const YearPillar pillar = year_pillar_for(age_cycle_number, record.is_male == 1);
    record.year_stem = pillar.stem;
    record.year_branch = pillar.branch;
}

}  // namespace tenkari
