#pragma once

#include <windows.h>

namespace tenkari::win32 {

// The modal input dialog TESTDIALOG over the main window. Returns when it has ended: after an
// accepted input once its reading box is closed, or after a cancel.
void run_input_dialog(HWND main_window);

INT_PTR CALLBACK input_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tenkari::win32
