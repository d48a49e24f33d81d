#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tenkari {

// Capacity of ReadingRecord::name, terminator included: 34 bytes of Shift-JIS text and the NUL.
inline constexpr int kNameCapacity = 35;
inline constexpr int kAnnualTextCapacity = 4096;
// Holds the longest hexagram passage (131 bytes) and its NUL.
inline constexpr int kHexagramTextCapacity = 132;
inline constexpr int kOutputFileNameCapacity = 64;

// The one record of a run: the inputs as the dialog last read them, the flags for the file
// output, the derived numbers and the two composed readings. Plain data: every step reads and
// writes its fields directly. All text is Shift-JIS (code page 932), NUL-ended.
struct ReadingRecord {
    char name[kNameCapacity] = {};
    std::int32_t birth_year = 0;
    std::int32_t judged_year = 0;
    std::int32_t is_male = 1;

    std::int32_t input_failed = 0;
    std::int32_t has_result = 0;
    std::int32_t write_annual = 0;
    std::int32_t write_hexagram = 0;

    std::int32_t name_number = 0;
    std::int32_t name_stem = 0;
    std::int32_t name_branch = 0;
    std::int32_t counted_age = 0;
    std::int32_t age_cycle_number = 0;
    std::int32_t year_stem = 0;
    std::int32_t year_branch = 0;
    std::int32_t name_trigram = 0;
    std::int32_t age_trigram = 0;

    char annual_text[kAnnualTextCapacity] = {};
    char hexagram_text[kHexagramTextCapacity] = {};
    char output_file_name[kOutputFileNameCapacity] = {};
};

// The instance that lives for the whole run of a program.
ReadingRecord& the_reading_record();

// The text of one of the record's NUL-ended fields, never read past the field's end.
template <std::size_t Capacity>
std::string_view field_text(const char (&field)[Capacity]) {
    return {field, strnlen(field, Capacity)};
}

}  // namespace tenkari
