#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/reading_record.h"

namespace tenkari::fuzz {

// Stops the run with the failed condition; unlike assert it holds in an optimised build.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

inline bool is_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Whether a Shift-JIS text ends inside a double-byte character, walking it by character from
// its first byte: a lead byte as its last character has lost its trail byte.
inline bool ends_in_half_character(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (is_lead_byte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == text.size()) {
                return true;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

// The text of a fixed buffer, which must hold its NUL inside its capacity.
template <std::size_t N>
std::string_view terminated_text(const char (&buffer)[N]) {
    const std::size_t length = strnlen(buffer, N);
    FUZZ_CHECK(length < N);
    return std::string_view(buffer, length);
}

}  // namespace tenkari::fuzz
