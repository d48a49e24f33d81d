#pragma once

#include <string_view>

// The system's fixed Shift-JIS texts (messages, lines, banners, file name suffixes), kept in
// data/texts/ and embedded at build time.
namespace tenkari::fixed_texts {

std::string_view missing_input_message();
std::string_view bad_year_message();
std::string_view name_out_of_range_message();
std::string_view age_out_of_range_message();

std::string_view annual_heading_suffix();
std::string_view annual_file_suffix();
std::string_view hexagram_file_suffix();

std::string_view six_harmony_line();
std::string_view triple_harmony_line();
std::string_view clash_line();
// The banner of verdict 1 (good), 2 (bad) or 3 (average); empty for any other value.
std::string_view verdict_banner(int verdict);

}  // namespace tenkari::fixed_texts
