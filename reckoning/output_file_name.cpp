#include "reckoning/output_file_name.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace tenkari {

void compose_output_file_name(ReadingRecord& record, std::string_view suffix) {
    char year[16];
    std::snprintf(year, sizeof year, "%4d", static_cast<int>(record.judged_year));
    std::string file_name(field_text(record.name));
    file_name += year;
    file_name += suffix;
    // 34 bytes of name, 11 of year and 10 of suffix always fit; the cut only guards the buffer.
    const std::size_t kept = std::min(file_name.size(), sizeof record.output_file_name - 1);
    std::memcpy(record.output_file_name, file_name.data(), kept);
    record.output_file_name[kept] = '\0';
}

}  // namespace tenkari
