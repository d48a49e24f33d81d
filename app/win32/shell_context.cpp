#include "app/win32/shell_context.h"

namespace tenkari::win32 {
namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

void set_instance(HINSTANCE instance) {
    g_instance = instance;
}

HINSTANCE instance() {
    return g_instance;
}

std::wstring load_ui_text(UINT id) {
    wchar_t buffer[256];
    const int length = LoadStringW(g_instance, id, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace tenkari::win32
