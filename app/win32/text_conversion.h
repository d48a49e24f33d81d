#pragma once

#include <string>
#include <string_view>

namespace tenkari::win32 {

// The program keeps all its text as Shift-JIS (code page 932) bytes and talks to the window
// system in UTF-16, converting with code page 932 explicitly: it then shows and stores Japanese
// correctly whatever the system's own code page is.

// Shift-JIS bytes to UTF-16.
std::wstring sjis_to_utf16(std::string_view sjis);

// UTF-16 to Shift-JIS. A character that code page 932 cannot hold becomes what the platform's
// ANSI calls make of it: its best fit, or "?"; a character outside the Basic Multilingual Plane
// becomes one "?", not one for each of its two UTF-16 units.
std::string utf16_to_sjis(std::wstring_view utf16);

}  // namespace tenkari::win32
