#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/code_page.h"

namespace tenkari::test {

// Test texts are written in UTF-8 and compared as the Shift-JIS bytes the program holds.
inline std::string sjis(std::string_view utf8) {
    return cli::utf8_to_sjis(utf8);
}
inline std::string utf8(std::string_view sjis_text) {
    return cli::sjis_to_utf8(sjis_text);
}

// Splits a Shift-JIS passage at its line feeds; a final line feed ends the last line.
inline std::vector<std::string> lines_of(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The single-byte characters of a Shift-JIS text, in order. Walks by character, so that a
// trail byte is never taken for one.
inline std::string single_byte_characters(std::string_view text) {
    std::string found;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (lead) {
            i += 2;
        } else {
            found += text[i];
            ++i;
        }
    }
    return found;
}

}  // namespace tenkari::test
