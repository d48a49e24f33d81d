#include "cli/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "reckoning/shift_jis.h"

namespace tenkari::cli {
namespace {

bool in_range(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// Bytes of the UTF-8 piece that cannot be converted at the start of the text: the whole
// character when it is one, else the longest start of a character that its bytes make (at
// least the first byte). The next byte that breaks the sequence begins a piece of its own, so
// a bad sequence never swallows the character after it.
std::size_t utf8_piece_length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;  // where the second byte may lie
    if (in_range(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (in_range(lead, 0xE0, 0xEF)) {
        // No overlong forms after E0, no surrogates after ED.
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (in_range(lead, 0xF0, 0xF4)) {
        // No overlong forms after F0, nothing above U+10FFFF after F4.
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    std::size_t taken = 1;
    while (taken < length && taken < text.size()) {
        const auto byte = static_cast<unsigned char>(text[taken]);
        if (!(taken == 1 ? in_range(byte, low, high) : in_range(byte, 0x80, 0xBF))) {
            break;
        }
        ++taken;
    }
    return taken;
}

// A lead byte with a trail byte after it is one character that code page 932 lacks; a lead
// byte before anything else, or any other byte, is a piece of one byte.
std::size_t sjis_piece_length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (!is_sjis_lead_byte(lead) || text.size() < 2) {
        return 1;
    }
    const auto trail = static_cast<unsigned char>(text[1]);
    return in_range(trail, 0x40, 0x7E) || in_range(trail, 0x80, 0xFC) ? 2 : 1;
}

// One converter per direction and thread, opened at its first use: opening one costs more than
// converting a name.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string convert(std::string_view input, std::size_t (*piece_length)(std::string_view)) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string output;
        char buffer[256];
        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        while (in_left > 0) {
            char* out = buffer;
            std::size_t out_left = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // Not convertible, or cut short: one "?" stands for the piece.
                const std::size_t skipped = piece_length(std::string_view(in, in_left));
                in += skipped;
                in_left -= skipped;
                output += '?';
            }
        }
        return output;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::string utf8_to_sjis(std::string_view utf8) {
    thread_local Converter converter("CP932", "UTF-8");
    // glibc's iconv drops the tag characters U+E0000..U+E007F without a word instead of
    // reporting them. Code page 932 holds none of them, so each becomes one "?" like any other
    // character it lacks; the text between them is converted as usual.
    std::string output;
    std::size_t start = 0;
    for (std::size_t at = utf8.find("\xF3\xA0"); at != std::string_view::npos;
         at = utf8.find("\xF3\xA0", at + 1)) {
        const bool tag = at + 3 < utf8.size() &&
                         in_range(static_cast<unsigned char>(utf8[at + 2]), 0x80, 0x81) &&
                         in_range(static_cast<unsigned char>(utf8[at + 3]), 0x80, 0xBF);
        if (tag) {
            output += converter.convert(utf8.substr(start, at - start), utf8_piece_length);
            output += '?';
            start = at + 4;
        }
    }
    output += converter.convert(utf8.substr(start), utf8_piece_length);
    return output;
}

std::string sjis_to_utf8(std::string_view sjis) {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.convert(sjis, sjis_piece_length);
}

}  // namespace tenkari::cli
