#pragma once

#include <string>
#include <string_view>

namespace tenkari {

// A system message with its inserts (%1 … %99, each with or without a printf format between
// exclamation marks) filled with one text, the file it speaks of. Asked for without arguments,
// the system leaves them in the message as they are, and a box would show a bare "%1".
std::wstring fill_message_inserts(std::wstring_view message, std::wstring_view insert);

}  // namespace tenkari
