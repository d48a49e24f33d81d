// The file output button as the screen shows it at the program's DPI.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Waits until the main window holds exactly one child with the id, then replies with its
// rectangle in the main window's client area in the screen's own pixels, the DPI the system
// gives the main window and its DPI awareness (0 unaware, 1 system, 2 per monitor). The driver
// reads per-monitor aware, so the system does not rescale the rectangle for the reader.
std::string scaled_button(HWND main_window, int button_id, DWORD timeout_ms);

}  // namespace e2e
