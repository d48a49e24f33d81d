#include "reckoning/name_number.h"

#include "reckoning/cycle.h"

namespace tenkari {

NameWalk walk_name(const char (&name)[kNameCapacity]) {
    NameWalk walk;
    walk.stroke_sum = walk_name_pairs(name, [&walk](const NamePair& pair) {
        walk.pairs[static_cast<std::size_t>(walk.pair_count++)] = pair;
    });
    return walk;
}

void compute_name_number(ReadingRecord& record) {
    // The sum alone: no pair is kept.
    const std::int32_t sum = walk_name_pairs(record.name, [](const NamePair&) {});
    record.name_number = static_cast<std::int32_t>(fold_into_cycle(sum));
    record.name_stem = stem_index_of(record.name_number);
    record.name_branch = branch_index_of(record.name_number);
}

}  // namespace tenkari
