#pragma once

#include <windows.h>

#include <string>

namespace tenkari::win32 {

// The instance handle, stored once at start-up: dialogs, the button and the shell's texts are
// loaded from it.
void set_instance(HINSTANCE instance);
HINSTANCE instance();

// A text of the string table (captions, title, button label, help file name).
std::wstring load_ui_text(UINT id);

}  // namespace tenkari::win32
