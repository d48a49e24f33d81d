#include "app/win32/about_box.h"

#include "app/win32/shell_context.h"

namespace tenkari::win32 {

void run_about_box(HWND main_window) {
    DialogBoxParamW(instance(), L"ABOUTBOX", main_window, about_box_procedure, 0);
}

INT_PTR CALLBACK about_box_procedure(HWND box, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            // OK, Escape and the close box.
            if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
                EndDialog(box, 1);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace tenkari::win32
