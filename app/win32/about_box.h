#pragma once

#include <windows.h>

namespace tenkari::win32 {

// The modal About box ABOUTBOX over the main window.
void run_about_box(HWND main_window);

INT_PTR CALLBACK about_box_procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tenkari::win32
