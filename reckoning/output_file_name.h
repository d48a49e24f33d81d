#pragma once

#include <string_view>

#include "app/reading_record.h"

namespace tenkari {

// Rewrites output_file_name as name, judged_year as by "%4d" (padded on the left to four
// characters), then the Shift-JIS suffix ("年.TXT" or "年易卦.TXT").
void compose_output_file_name(ReadingRecord& record, std::string_view suffix);

}  // namespace tenkari
