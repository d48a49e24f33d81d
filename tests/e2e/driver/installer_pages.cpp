#include "installer_pages.h"

#include "json_line.h"
#include "text.h"
#include "window_query.h"

namespace e2e {
namespace {

std::wstring without_marks(std::wstring label) {
    std::wstring plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == L'&' && i + 1 < label.size())
            ++i;
        plain += label[i];
    }
    return plain;
}

bool shows(HWND page, const std::wstring& text) {
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && without_marks(text_of(child)) == text)
            return true;
    }
    return false;
}

}  // namespace

HWND page_showing(DWORD process_id, const std::wstring& text) {
    for (HWND window : visible_windows_of(process_id)) {
        // Between two pages the installer runs its actions on the thread of the pages, and a
        // page still on the screen answers nothing until the next one is up.
        try {
            if (shows(window, text))
                return window;
        } catch (const ReadFailure&) {
        }
    }
    return nullptr;
}

std::string describe_page(HWND page) {
    std::string controls;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!controls.empty())
            controls += ',';
        controls += JsonLine()
                        .field("class", class_of(child))
                        .field("text", without_marks(text_of(child)))
                        .field("visible", IsWindowVisible(child) != FALSE)
                        .field("checked", is_checked(child))
                        .str();
    }
    return JsonLine().field("caption", text_of(page)).raw("controls", "[" + controls + "]").str();
}

HWND control_labelled(HWND page, const std::wstring& label) {
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && _wcsicmp(class_of(child).c_str(), L"Button") == 0 &&
            without_marks(text_of(child)) == label)
            return child;
    }
    return nullptr;
}

}  // namespace e2e
