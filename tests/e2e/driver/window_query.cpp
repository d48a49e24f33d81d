#include "window_query.h"

namespace e2e {
namespace {

constexpr UINT kReplyTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kNameEntryId = 101;

LRESULT send_with_timeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                        &result);
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD process_id;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_visible_window(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(window, &owner_process);
    if (owner_process == search->process_id && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    HWND parent;
    int id;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_child_with_id(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (GetParent(child) == search->parent && GetDlgCtrlID(child) == search->id) {
        search->found.push_back(child);
    }
    return TRUE;
}

}  // namespace

const char* kind_name(WindowKind kind) {
    switch (kind) {
        case WindowKind::main_window:
            return "main_window";
        case WindowKind::input_dialog:
            return "input_dialog";
        case WindowKind::message_box:
            return "message_box";
        case WindowKind::other_dialog:
            return "other_dialog";
        case WindowKind::foreign_box:
            return "foreign_box";
        case WindowKind::other:
            return "other";
    }
    return "other";
}

WindowKind kind_of(HWND window) {
    const std::wstring window_class = class_of(window);
    if (window_class == L"MyApp")
        return WindowKind::main_window;
    if (window_class != L"#32770")
        return WindowKind::other;
    if (GetDlgItem(window, kNameEntryId) != nullptr)
        return WindowKind::input_dialog;
    // A message box has one child with id 0xFFFF, its text; the About box has two (the icon and
    // the version line carry id -1).
    if (children_with_id(window, kMessageBoxTextId).size() == 1)
        return WindowKind::message_box;
    return WindowKind::other_dialog;
}

std::vector<HWND> visible_windows_of(DWORD process_id) {
    WindowSearch search{process_id, {}};
    EnumWindows(collect_visible_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> visible_dialogs_not_of(DWORD process_id, DWORD other_process_id) {
    std::vector<HWND> found;
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner_process = 0;
        GetWindowThreadProcessId(window, &owner_process);
        if (owner_process != process_id && owner_process != other_process_id &&
            IsWindowVisible(window) && class_of(window) == L"#32770") {
            found.push_back(window);
        }
    }
    return found;
}

std::wstring text_of(HWND window) {
    const auto length = static_cast<size_t>(send_with_timeout(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        send_with_timeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < text.size() ? copied : length);
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool is_checked(HWND button) {
    return send_with_timeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RECT rect_in_parent(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> children_with_id(HWND parent, int id) {
    ChildSearch search{parent, id, {}};
    EnumChildWindows(parent, collect_child_with_id, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace e2e
