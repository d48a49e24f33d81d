// A move to a monitor of another scaling, as the system announces it to a per-monitor aware
// window: WM_DPICHANGED with the new DPI and a suggested window rectangle.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Sends the main window WM_DPICHANGED for dpi with the suggested rectangle (screen pixels),
// placed in the program's own memory since the message carries a pointer, and replies with the
// main window's rectangle once the program is back in its message loop.
std::string send_dpi_change(HWND main_window, int dpi, const RECT& suggested);

}  // namespace e2e
