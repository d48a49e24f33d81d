#include "cli/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tenkari::cli {
namespace {

// Bytes in the UTF-8 character that starts with this byte (1 for a stray byte).
std::size_t utf8_sequence_length(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC2 ? 2 : 1;
}

std::size_t sjis_sequence_length(unsigned char lead) {
    return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
}

std::string convert(std::string_view input, const char* to, const char* from,
                    std::size_t (*sequence_length)(unsigned char)) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    }
    std::string output;
    char buffer[256];
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Not convertible, or cut short: one "?" stands for the whole character.
            const std::size_t skip = sequence_length(static_cast<unsigned char>(*in));
            const std::size_t skipped = skip < in_left ? skip : in_left;
            in += skipped;
            in_left -= skipped;
            output += '?';
        }
    }
    iconv_close(converter);
    return output;
}

}  // namespace

std::string utf8_to_sjis(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8", utf8_sequence_length);
}

std::string sjis_to_utf8(std::string_view sjis) {
    return convert(sjis, "UTF-8", "CP932", sjis_sequence_length);
}

}  // namespace tenkari::cli
