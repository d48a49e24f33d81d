// tenkari.exe: the main window with its menu, the input dialog and the reading boxes.

#include <windows.h>

// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>

#include "app/win32/main_window.h"
#include "app/win32/shell_context.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_state) {
    using namespace tenkari::win32;
    // The string table, the class icon and the menu come from this instance from the start.
    set_instance(instance);
    // The help page opens through the shell, whose handlers may be COM objects that want an
    // apartment on the calling thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // The status bar is a common control.
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!register_main_window_class(instance)) {
        return 0;
    }
    const HWND main_window = create_main_window(instance);
    if (main_window == nullptr) {
        return 0;
    }
    ShowWindow(main_window, show_state);
    UpdateWindow(main_window);

    // Ctrl+S, the file output button's command from the keyboard.
    const HACCEL shortcuts = LoadAcceleratorsW(instance, L"MYAPP");
    MSG message = {};
    // GetMessage returns 0 for the quit message and -1 on failure; both end the loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Before the keys are translated into characters; a shortcut is not dispatched again.
        if (shortcuts != nullptr && TranslateAcceleratorW(main_window, shortcuts, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return static_cast<int>(message.wParam);
}
