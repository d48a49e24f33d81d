#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/reading_record.h"

namespace tenkari {

// The form the stroke table counts of a character that it counts 0 and that names are often
// written with (髙 高, 﨑 崎, 德 徳, 凜 凛 …): its two Shift-JIS bytes, or empty where there is
// no such form. The pairs are data, each with its source (data/counted_forms.txt).
std::string_view counted_form(std::uint16_t code);

// A double-byte character of a name that the stroke table counts 0.
struct UncountedCharacter {
    std::string character;     // its two Shift-JIS bytes
    std::string counted_form;  // the form the table counts, or empty
    friend bool operator==(const UncountedCharacter&, const UncountedCharacter&) = default;
};

// The characters of the name, taken as the name number takes them (byte pairs by position),
// that are whole double-byte characters counted 0: each once, in the order they come.
std::vector<UncountedCharacter> uncounted_characters(const char (&name)[kNameCapacity]);

}  // namespace tenkari
