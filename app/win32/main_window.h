#pragma once

#include <windows.h>

namespace tenkari::win32 {

// Registers the window class "MyApp": with the extended call and a 16 x 16 small icon where
// the platform version asks for it, else with the plain call. Returns false on failure.
bool register_main_window_class(HINSTANCE instance);

// Creates the main window "テンカリ" with the class menu; null on failure.
HWND create_main_window(HINSTANCE instance);

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tenkari::win32
