#pragma once

#include <string>
#include <string_view>

namespace tenkari {

// Code page 932 holds no character outside the Basic Multilingual Plane. The platform's
// converter makes each of the two UTF-16 units of such a character a "?" of its own, which
// shifts the byte pairs of the name walk; the program, like tenkari-cli, makes the whole
// character one "?". So each surrogate pair, and each surrogate standing alone, is replaced by
// one "?" before the text reaches the converter. Char is a 16-bit unit type (wchar_t on
// Windows, char16_t elsewhere).
template <typename Char>
std::basic_string<Char> one_mark_per_supplementary_character(std::basic_string_view<Char> utf16) {
    static_assert(sizeof(Char) == 2, "UTF-16 units");
    const auto is_high = [](Char unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto is_low = [](Char unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    std::basic_string<Char> result;
    result.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        const Char unit = utf16[at];
        if (!is_high(unit) && !is_low(unit)) {
            result += unit;
            continue;
        }
        if (is_high(unit) && at + 1 < utf16.size() && is_low(utf16[at + 1]))
            ++at;
        result += static_cast<Char>('?');
    }
    return result;
}

}  // namespace tenkari
