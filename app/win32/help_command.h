#pragma once

#include <windows.h>

namespace tenkari::win32 {

// Command 400, 目次: opens the help that ships beside tenkari.exe at its contents, in the form
// this Windows can show (the WinHelp file up to 8.1, the page in the browser on 10 and 11). When
// the file is not there, or the system cannot open it, a box owned by main_window names the file
// and the folder where it was looked for.
void open_help_contents(HWND main_window);

}  // namespace tenkari::win32
