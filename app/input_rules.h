#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/reading_record.h"

namespace tenkari {

enum class InputVerdict {
    accepted,
    missing_input,  // "データエラー": empty name, or a year that is 0 or no number
    bad_year,  // "判定年を確認して下さい": judged year before the birth year, after 2100,
               // or a counted age above 120
};

// Reads a year box as the dialog does: leading blanks, an optional minus sign, decimal digits.
// Anything else, or a value outside the signed 32-bit range, reads as 0.
std::int32_t read_year_entry(std::string_view text);

// The text a year box is prefilled with: the year as a signed decimal number, so that a
// negative year accepted earlier reads back as the same year at the next press of 実行.
std::string year_entry_text(std::int32_t year);

// Keeps at most 34 bytes of a Shift-JIS name, never half of a double-byte character: a lead
// byte whose trail byte would fall beyond the cut is dropped with it, and so is a lead byte
// that ends the entry with no trail byte.
std::string_view cut_name_entry(std::string_view sjis_name);

// Stores what the dialog read into the record (name cut to 34 bytes, years read by the rule).
void store_entries(ReadingRecord& record, std::string_view sjis_name, std::string_view birth_text,
                   std::string_view judged_text);

InputVerdict validate_inputs(std::string_view name, std::int32_t birth_year,
                             std::int32_t judged_year);

// The Shift-JIS message shown for a refused verdict; empty for an accepted one.
std::string_view verdict_message(InputVerdict verdict);

}  // namespace tenkari
