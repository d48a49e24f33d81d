#include "app/win32/dpi.h"

#include "app/dpi_scaling.h"

namespace tenkari::win32 {
namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForSystemCall = UINT(WINAPI*)();

// A function of user32.dll that newer Windows versions have; null where it is missing.
template <typename Call>
Call user32_call(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which the compiler accepts as a cast between types.
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

}  // namespace

int system_dpi() {
    static const auto get_dpi_for_system = user32_call<GetDpiForSystemCall>("GetDpiForSystem");
    if (get_dpi_for_system != nullptr) {
        return static_cast<int>(get_dpi_for_system());
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

HFONT create_font_at_dpi(LOGFONTW face, int dpi) {
    face.lfHeight = rescale_for_dpi(face.lfHeight, system_dpi(), dpi);
    face.lfWidth = rescale_for_dpi(face.lfWidth, system_dpi(), dpi);
    return CreateFontIndirectW(&face);
}

int window_dpi(HWND window) {
    static const auto get_dpi_for_window = user32_call<GetDpiForWindowCall>("GetDpiForWindow");
    const int dpi =
        get_dpi_for_window != nullptr ? static_cast<int>(get_dpi_for_window(window)) : 0;
    return dpi != 0 ? dpi : system_dpi();
}

}  // namespace tenkari::win32
