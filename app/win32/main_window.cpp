#include "app/win32/main_window.h"

#include "app/class_registration.h"
#include "app/reading_record.h"
#include "app/status_line.h"
#include "app/win32/about_box.h"
#include "app/win32/dpi.h"
#include "app/win32/file_output_button.h"
#include "app/win32/help_command.h"
#include "app/win32/input_dialog.h"
#include "app/win32/reading_boxes.h"
#include "app/win32/save_reading.h"
#include "app/win32/shell_context.h"
#include "app/win32/status_bar.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

constexpr const wchar_t* kClassName = L"MyApp";
constexpr const wchar_t* kIconName = L"MyApp";
constexpr const wchar_t* kMenuName = L"MyApp";
constexpr int kSmallIconSize = 16;

void dispatch_command(HWND window, WORD command) {
    ReadingRecord& record = the_reading_record();
    switch (command) {
        case IDM_EXIT:
            DestroyWindow(window);
            return;
        case IDM_ANNUAL_READING:
            run_input_dialog(window);
            ensure_file_output_button(window, record);
            show_status(window, status_after_annual_command(record), record);
            return;
        case IDM_HEXAGRAM_READING: {
            ensure_file_output_button(window, record);
            MessageBoxHexagramView view(window);
            run_hexagram_command(record, view);
            show_status(window, status_after_hexagram_command(record), record);
            return;
        }
        case IDM_FILE_OUTPUT:
            // The button's command, from the button or from Ctrl+S: with no button yet (no
            // reading accepted) there is nothing to write.
            if (has_file_output_button(window)) {
                show_status(window, save_reading(window, record), record);
            }
            return;
        case IDM_ABOUT:
            run_about_box(window);
            return;
        case IDM_HELP_CONTENTS:
            open_help_contents(window);
            return;
        default:
            return;
    }
}

}  // namespace

bool register_main_window_class(HINSTANCE instance) {
    WNDCLASSW window_class = {};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = main_window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, kIconName);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    window_class.lpszMenuName = kMenuName;
    window_class.lpszClassName = kClassName;
    if (!registers_with_small_icon(GetVersion())) {
        return RegisterClassW(&window_class) != 0;
    }
    // The extended registration: the same class with the 16 x 16 icon added.
    WNDCLASSEXW extended = {};
    extended.cbSize = sizeof extended;
    extended.style = window_class.style;
    extended.lpfnWndProc = window_class.lpfnWndProc;
    extended.hInstance = window_class.hInstance;
    extended.hIcon = window_class.hIcon;
    extended.hCursor = window_class.hCursor;
    extended.hbrBackground = window_class.hbrBackground;
    extended.lpszMenuName = window_class.lpszMenuName;
    extended.lpszClassName = window_class.lpszClassName;
    extended.hIconSm = static_cast<HICON>(LoadImageW(
        instance, kIconName, IMAGE_ICON, kSmallIconSize, kSmallIconSize, LR_DEFAULTCOLOR));
    return RegisterClassExW(&extended) != 0;
}

HWND create_main_window(HINSTANCE instance) {
    return CreateWindowExW(0, kClassName, load_ui_text(IDS_MAIN_WINDOW_TITLE).c_str(),
                           WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            create_status_bar(window);
            return 0;
        case WM_SIZE:
            place_status_bar(window);
            return 0;
        case WM_COMMAND:
            dispatch_command(window, LOWORD(wparam));
            return 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of another scaling: take the size the system suggests, and
            // give the button its place and font at the new DPI.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            fit_file_output_button(window, HIWORD(wparam));
            fit_status_bar(window, HIWORD(wparam));
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace tenkari::win32
