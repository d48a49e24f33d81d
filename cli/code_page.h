#pragma once

#include <string>
#include <string_view>

namespace tenkari::cli {

// UTF-8 to Shift-JIS (code page 932) with the platform's converter. A character that code
// page 932 cannot hold, or a byte that is not UTF-8, becomes "?", as the Windows ANSI calls
// make it.
std::string utf8_to_sjis(std::string_view utf8);

// Shift-JIS (code page 932) to UTF-8; a byte sequence that is not Shift-JIS becomes "?".
std::string sjis_to_utf8(std::string_view sjis);

}  // namespace tenkari::cli
