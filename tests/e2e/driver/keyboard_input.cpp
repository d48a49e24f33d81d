#include "keyboard_input.h"

#include "json_line.h"
#include "program_settled.h"
#include "text.h"
#include "window_query.h"

namespace e2e {
namespace {

constexpr wchar_t kPopupMenuClass[] = L"#32768";

INPUT key_input(WORD virtual_key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// The keys down in order, then up in reverse order.
void add_chord(std::vector<INPUT>& inputs, const std::vector<WORD>& virtual_keys) {
    for (WORD key : virtual_keys)
        inputs.push_back(key_input(key, false));
    for (auto key = virtual_keys.rbegin(); key != virtual_keys.rend(); ++key)
        inputs.push_back(key_input(*key, true));
}

bool shows_popup_menu(DWORD process_id) {
    for (HWND window : visible_windows_of(process_id)) {
        if (class_of(window) == kPopupMenuClass)
            return true;
    }
    return false;
}

// Keyboard input goes to the foreground window's focus. Setting another thread's focus takes
// sharing its input state for the moment.
bool bring_to_foreground(HWND main_window, DWORD timeout_ms) {
    const DWORD program_thread = GetWindowThreadProcessId(main_window, nullptr);
    if (!AttachThreadInput(GetCurrentThreadId(), program_thread, TRUE))
        return false;
    SetForegroundWindow(main_window);
    SetFocus(main_window);
    const bool foreground = settled::poll(timeout_ms, [&] {
        return GetForegroundWindow() == main_window && GetFocus() == main_window;
    });
    AttachThreadInput(GetCurrentThreadId(), program_thread, FALSE);
    return foreground;
}

}  // namespace

std::string press_keys(HWND main_window, const std::vector<WORD>& virtual_keys, DWORD timeout_ms) {
    if (virtual_keys.empty())
        return JsonLine::failure("no keys");
    if (!settled::back_in_message_loop(main_window))
        return JsonLine::failure("the program is not in its message loop");
    DWORD process_id = 0;
    GetWindowThreadProcessId(main_window, &process_id);
    if (shows_popup_menu(process_id))
        return JsonLine::failure("a menu is open already");
    if (!bring_to_foreground(main_window, timeout_ms))
        return JsonLine::failure("the main window did not come to the foreground with the focus");
    std::vector<INPUT> inputs;
    add_chord(inputs, virtual_keys);
    add_chord(inputs, {VK_MENU, 'F'});
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) !=
        inputs.size()) {
        return JsonLine::failure("SendInput failed: " + std::to_string(GetLastError()));
    }
    if (!settled::poll(timeout_ms, [&] { return shows_popup_menu(process_id); })) {
        const HWND foreground = GetForegroundWindow();
        return JsonLine::failure(
            "the program did not take the keys: its File menu did not open after "
            "them; the foreground window is " +
            (foreground == main_window ? std::string("the main window")
             : foreground == nullptr   ? std::string("none")
                                       : "of class " + to_utf8(class_of(foreground))));
    }
    // The menu ends its own loop on WM_CANCELMODE.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(main_window, WM_CANCELMODE, 0, 0, SMTO_BLOCK, timeout_ms, &result);
    if (!settled::poll(timeout_ms, [&] { return !shows_popup_menu(process_id); }))
        return JsonLine::failure("the File menu did not close");
    if (!settled::back_in_message_loop(main_window))
        return JsonLine::failure("the program did not come back to its message loop");
    return JsonLine().field("ok", true).str();
}

}  // namespace e2e
