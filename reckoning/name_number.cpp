#include "reckoning/name_number.h"

#include "reckoning/cycle.h"
#include "reckoning/stroke_table.h"

namespace tenkari {

void compute_name_number(ReadingRecord& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(record.name);
    std::int32_t sum = 0;
    // Pairs go by position, not by character: a single-byte character shifts every pair after
    // it. The end of the buffer counts as a terminator, so nothing past it is read.
    for (int i = 0; i < kNameCapacity && bytes[i] != 0; i += 2) {
        const bool last_byte = i + 1 >= kNameCapacity || bytes[i + 1] == 0;
        const unsigned trail = last_byte ? 0 : bytes[i + 1];
        sum += stroke_count(static_cast<std::uint16_t>(bytes[i] << 8 | trail));
        if (last_byte) {
            break;
        }
    }
    record.name_number = static_cast<std::int32_t>(fold_into_cycle(sum));
    record.name_stem = stem_index_of(record.name_number);
    record.name_branch = branch_index_of(record.name_number);
}

}  // namespace tenkari
