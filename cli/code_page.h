#pragma once

#include <string>
#include <string_view>

namespace tenkari::cli {

// UTF-8 to Shift-JIS (code page 932) with the platform's converter. A character that code
// page 932 cannot hold becomes "?", as the Windows ANSI calls make it, and so does each piece
// that is not UTF-8: a stray byte, or the start of a character cut short by the byte after it,
// which is converted on its own.
std::string utf8_to_sjis(std::string_view utf8);

// Shift-JIS (code page 932) to UTF-8; a character that is not in code page 932 becomes "?",
// and so does a lead byte with no trail byte after it, the byte after it converted on its own.
std::string sjis_to_utf8(std::string_view sjis);

}  // namespace tenkari::cli
