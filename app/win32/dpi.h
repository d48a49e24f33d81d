#pragma once

#include <windows.h>

namespace tenkari::win32 {

// The DPI of the monitor the window is on, where the platform tells it per window (Windows 10
// 1607 on); else the system DPI. The per-window call is looked up at run time, so that the
// program still starts on Windows 7 and 8.1, which lack it.
int window_dpi(HWND window);

// The DPI the system's stock objects, such as the default GUI font, are made for.
int system_dpi();

// A font like face, which is made for the system DPI, at dpi; null if none could be made.
HFONT create_font_at_dpi(LOGFONTW face, int dpi);

}  // namespace tenkari::win32
