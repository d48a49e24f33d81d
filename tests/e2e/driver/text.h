// Text at the driver's edges: its protocol speaks UTF-8, the windows it reads speak UTF-16, and
// the program's readings are Shift-JIS (code page 932).
#pragma once

#include <string>
#include <string_view>

namespace e2e {

std::wstring from_utf8(std::string_view utf8);
std::string to_utf8(std::wstring_view wide);
// The bytes code page 932 gives for the text, as lower-case hex.
std::string to_cp932_hex(std::wstring_view wide);
// What the system of this prefix and locale says of an error code, without its line end: the
// reason a box of the program quotes.
std::wstring system_error_text(unsigned long error);

}  // namespace e2e
