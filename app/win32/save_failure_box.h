#pragma once

#include <windows.h>

#include <string>

namespace tenkari::win32 {

// The error box of a reading that was not saved: the file name, the folder it was to be written
// in (the current one) and the reason, owned by owner.
void show_save_failure(HWND owner, const std::wstring& file_name, const std::wstring& reason);

}  // namespace tenkari::win32
