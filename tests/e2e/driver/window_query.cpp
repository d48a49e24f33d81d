#include "window_query.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>

#include "resource.h"
#include "text.h"

namespace e2e {
namespace {

// "WM_GETTEXT to window 0x1a2b (Button, id 202)": what a failed read was reading.
std::string what_was_read(const char* message_name, HWND window) {
    char handle[32];
    std::snprintf(handle, sizeof handle, "%p", static_cast<void*>(window));
    return std::string(message_name) + " to window " + handle + " (" + to_utf8(class_of(window)) +
           ", id " + std::to_string(GetDlgCtrlID(window)) + ")";
}

LRESULT send_with_timeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                          const char* message_name) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kReplyTimeoutMs,
                             &result)) {
        throw ReadFailure("no reply to " + what_was_read(message_name, window) + " within " +
                          std::to_string(kReplyTimeoutMs) + " ms");
    }
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    const std::vector<DWORD>& process_ids;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_visible_window(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(window, &owner_process);
    const auto& ids = search->process_ids;
    if (IsWindowVisible(window) && std::find(ids.begin(), ids.end(), owner_process) != ids.end())
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
    if (GetDlgItem(window, IDC_NAME) != nullptr)
        return WindowKind::input_dialog;
    // A message box has one child with id 0xFFFF, its text; the About box has two (the icon and
    // the version line carry id -1).
    if (children_with_id(window, kMessageBoxTextId).size() == 1)
        return WindowKind::message_box;
    return WindowKind::other_dialog;
}

std::vector<HWND> visible_windows_of(DWORD process_id) {
    return visible_windows_of(std::vector<DWORD>{process_id});
}

std::vector<DWORD> child_processes_of(DWORD process_id) {
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more;
             more = Process32NextW(snapshot, &entry)) {
            if (entry.th32ParentProcessID == process_id)
                children.push_back(entry.th32ProcessID);
        }
        CloseHandle(snapshot);
    }
    return children;
}

std::vector<HWND> visible_windows_of(const std::vector<DWORD>& process_ids) {
    WindowSearch search{process_ids, {}};
    EnumWindows(collect_visible_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> visible_dialogs_of_children_of(DWORD process_id) {
    std::vector<HWND> found;
    for (HWND window : visible_windows_of(child_processes_of(process_id))) {
        if (class_of(window) == L"#32770")
            found.push_back(window);
    }
    return found;
}

std::wstring text_of(HWND window) {
    const auto length =
        static_cast<size_t>(send_with_timeout(window, WM_GETTEXTLENGTH, 0, 0, "WM_GETTEXTLENGTH"));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(send_with_timeout(
        window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), "WM_GETTEXT"));
    text.resize(copied < text.size() ? copied : length);
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool is_checked(HWND button) {
    return send_with_timeout(button, BM_GETCHECK, 0, 0, "BM_GETCHECK") == BST_CHECKED;
}

HICON icon_of(HWND icon_control) {
    return reinterpret_cast<HICON>(
        send_with_timeout(icon_control, STM_GETICON, 0, 0, "STM_GETICON"));
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
