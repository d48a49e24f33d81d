#include "help_viewer.h"

#include <string>

#include "window_query.h"

namespace e2e {
namespace {

// More than any topic of the help holds.
constexpr size_t kTopicTextCapacity = 1 << 16;

BOOL CALLBACK find_rich_edit(HWND child, LPARAM context) {
    // RichEdit20A, RichEdit20W or RICHEDIT50W, whichever the viewer uses.
    if (_wcsnicmp(class_of(child).c_str(), L"RichEdit", 8) == 0) {
        *reinterpret_cast<HWND*>(context) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND visible_help_viewer_of_child_of(DWORD process_id) {
    for (HWND window : visible_windows_of(child_processes_of(process_id))) {
        if (class_of(window) == L"MS_WINHELP")
            return window;
    }
    return nullptr;
}

std::wstring shown_topic_text(HWND viewer) {
    HWND topic = nullptr;
    EnumChildWindows(viewer, find_rich_edit, reinterpret_cast<LPARAM>(&topic));
    if (topic == nullptr)
        return L"";
    // The viewer is an ANSI program: its rich edit control answers the ANSI WM_GETTEXT from
    // another process, while the wide one comes back empty under Wine. The driver runs in the
    // viewer's locale, so the ANSI code page is the one the text is in.
    std::string text(kTopicTextCapacity, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(topic, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, kReplyTimeoutMs, &copied)) {
        throw ReadFailure("no reply to WM_GETTEXT to the help viewer's topic within " +
                          std::to_string(kReplyTimeoutMs) + " ms");
    }
    text.resize(copied < text.size() ? copied : 0);
    const int wide_length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wide_length);
    return wide;
}

}  // namespace e2e
