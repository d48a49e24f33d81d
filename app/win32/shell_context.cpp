#include "app/win32/shell_context.h"

#include <vector>

#include "app/message_inserts.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

HINSTANCE g_instance = nullptr;

// Takes a buffer that FormatMessageW allocated.
std::wstring take_formatted(wchar_t* buffer, DWORD length) {
    std::wstring text(buffer != nullptr ? buffer : L"", buffer != nullptr ? length : 0);
    LocalFree(buffer);
    return text;
}

}  // namespace

void set_instance(HINSTANCE instance) {
    g_instance = instance;
}

HINSTANCE instance() {
    return g_instance;
}

std::wstring load_ui_text(UINT id) {
    // With no buffer, the call points into the string resource itself, of whatever length.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(g_instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring format_ui_text(UINT id, std::initializer_list<std::wstring> inserts) {
    const std::wstring pattern = load_ui_text(id);
    std::vector<DWORD_PTR> arguments;
    for (const std::wstring& insert : inserts) {
        arguments.push_back(reinterpret_cast<DWORD_PTR>(insert.c_str()));
    }
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        pattern.c_str(), 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0,
        reinterpret_cast<va_list*>(arguments.data()));
    return length > 0 ? take_formatted(buffer, length) : pattern;
}

std::wstring system_error_text(DWORD error, const std::wstring& subject) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text = take_formatted(buffer, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return text.empty() ? format_ui_text(IDS_ERROR_CODE, {std::to_wstring(error)})
                        : fill_message_inserts(text, subject);
}

}  // namespace tenkari::win32
