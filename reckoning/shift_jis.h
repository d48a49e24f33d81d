#pragma once

#include <cstddef>
#include <string_view>

namespace tenkari {

// A Shift-JIS lead byte: the first byte of a double-byte character.
constexpr bool is_sjis_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes taken by the character that starts the text: 2 for a lead byte with a byte after it,
// else 1 (0 for an empty text).
constexpr std::size_t sjis_character_width(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    return is_sjis_lead_byte(static_cast<unsigned char>(text[0])) && text.size() >= 2 ? 2 : 1;
}

}  // namespace tenkari
