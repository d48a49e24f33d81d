// tenkari-cli's conversions on arbitrary bytes, invalid UTF-8 and Shift-JIS included: the
// converted text holds whole characters only, each character of the input becomes one character
// of the output (an undecodable piece one "?", swallowing nothing after it), and the name cut
// keeps at most 34 bytes with no half character.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/input_rules.h"
#include "cli/code_page.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tenkari;

bool in(unsigned char byte, unsigned low, unsigned high) {
    return byte >= low && byte <= high;
}

// Length of the UTF-8 piece that starts the text: a whole character, or else the longest start
// of one that the bytes allow (at least one byte), which stands for one undecodable piece.
std::size_t utf8_piece(std::string_view text, bool& whole) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    unsigned low = 0x80, high = 0xBF;  // the range of the first continuation byte
    if (in(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (in(lead, 0xE0, 0xEF)) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (in(lead, 0xF0, 0xF4)) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    whole = lead < 0x80;
    if (length == 1) {
        return 1;
    }
    std::size_t taken = 1;
    for (; taken < length && taken < text.size(); ++taken) {
        const auto byte = static_cast<unsigned char>(text[taken]);
        if (!in(byte, taken == 1 ? low : 0x80, taken == 1 ? high : 0xBF)) {
            break;
        }
    }
    whole = taken == length;
    return taken;
}

// Length of the Shift-JIS piece that starts the text: a lead byte and a trail byte, or one byte.
std::size_t sjis_piece(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (!fuzz::is_lead_byte(lead) || text.size() < 2) {
        return 1;
    }
    const auto trail = static_cast<unsigned char>(text[1]);
    return in(trail, 0x40, 0x7E) || in(trail, 0x80, 0xFC) ? 2 : 1;
}

// Whether the text is Shift-JIS made of whole characters, each lead byte with its trail byte.
bool whole_sjis(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const bool lead = fuzz::is_lead_byte(static_cast<unsigned char>(text[i]));
        if (lead && sjis_piece(text.substr(i)) != 2) {
            return false;
        }
        i += lead ? 2 : 1;
    }
    return true;
}

bool whole_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        bool whole = false;
        i += utf8_piece(text.substr(i), whole);
        if (!whole) {
            return false;
        }
    }
    return true;
}

void check_utf8_to_sjis(std::string_view utf8) {
    const std::string sjis = cli::utf8_to_sjis(utf8);
    FUZZ_CHECK(whole_sjis(sjis));
    // Piece by piece the conversion gives the same bytes: one character, or "?" for a piece
    // that is no character, and an ASCII byte stays itself.
    std::string pieces;
    for (std::size_t i = 0; i < utf8.size();) {
        bool whole = false;
        const std::size_t length = utf8_piece(utf8.substr(i), whole);
        const std::string piece = cli::utf8_to_sjis(utf8.substr(i, length));
        FUZZ_CHECK(piece.size() == 1 || piece.size() == 2);
        FUZZ_CHECK(piece.size() == 1 || fuzz::is_lead_byte(static_cast<unsigned char>(piece[0])));
        if (!whole) {
            FUZZ_CHECK(piece == "?");
        } else if (length == 1) {
            FUZZ_CHECK(piece == utf8.substr(i, 1));
        }
        pieces += piece;
        i += length;
    }
    FUZZ_CHECK(sjis == pieces);

    const std::string_view cut = cut_name_entry(sjis);
    FUZZ_CHECK(cut.size() <= 34);
    FUZZ_CHECK(sjis.substr(0, cut.size()) == cut);
    FUZZ_CHECK(!fuzz::ends_in_half_character(cut));
    FUZZ_CHECK(cut.size() == sjis.size() || cut.size() + sjis_piece(sjis.substr(cut.size())) > 34);

    // And back: whole UTF-8 with one character for each character of the Shift-JIS text.
    const std::string back = cli::sjis_to_utf8(sjis);
    FUZZ_CHECK(whole_utf8(back));
}

void check_sjis_to_utf8(std::string_view sjis) {
    const std::string utf8 = cli::sjis_to_utf8(sjis);
    FUZZ_CHECK(whole_utf8(utf8));
    std::string pieces;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = sjis_piece(sjis.substr(i));
        const std::string piece = cli::sjis_to_utf8(sjis.substr(i, length));
        bool whole = false;
        FUZZ_CHECK(!piece.empty() && utf8_piece(piece, whole) == piece.size() && whole);
        pieces += piece;
        i += length;
    }
    FUZZ_CHECK(utf8 == pieces);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check_utf8_to_sjis(bytes);
    check_sjis_to_utf8(bytes);
    return 0;
}
