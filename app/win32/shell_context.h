#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace tenkari::win32 {

// The instance handle, stored once at start-up: dialogs, the button and the shell's texts are
// loaded from it.
void set_instance(HINSTANCE instance);
HINSTANCE instance();

// A text of the string table (captions, title, button label, help file names, messages).
std::wstring load_ui_text(UINT id);

// A text of the string table with its inserts %1, %2 … filled in by the platform's formatter.
std::wstring format_ui_text(UINT id, std::initializer_list<std::wstring> inserts);

// What the system says of an error code, in the user's language, without its closing line end;
// the code itself where the system has no text for it. A message that names what it speaks of
// (%1) names subject.
std::wstring system_error_text(DWORD error, const std::wstring& subject);

}  // namespace tenkari::win32
