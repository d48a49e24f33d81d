#include "app/win32/file_output_button.h"

#include "app/dpi_scaling.h"
#include "app/win32/dpi.h"
#include "app/win32/shell_context.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

// The font the button shows now; made by this file, so it is deleted when a new one replaces it.
HFONT button_font = nullptr;

// The window's own dialog font, not the bold system font of a bare child window, at dpi: the
// stock font is made for the system DPI, so its height is rescaled from there.
HFONT create_button_font(int dpi) {
    LOGFONTW face = {};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face) == 0) {
        return nullptr;
    }
    return create_font_at_dpi(face, dpi);
}

void give_font(HWND button, int dpi, BOOL redraw) {
    const HFONT font = create_button_font(dpi);
    const auto shown =
        font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(shown), redraw);
    if (button_font != nullptr) {
        DeleteObject(button_font);
    }
    button_font = font;
}

HWND file_output_button(HWND main_window) {
    return GetDlgItem(main_window, IDM_FILE_OUTPUT);
}

}  // namespace

void ensure_file_output_button(HWND main_window, const ReadingRecord& record) {
    if (record.has_result != 1 || has_file_output_button(main_window)) {
        return;
    }
    const int dpi = window_dpi(main_window);
    const PixelRect place = file_output_button_rect(dpi);
    const HWND button = CreateWindowExW(
        0, L"BUTTON", load_ui_text(IDS_FILE_OUTPUT_BUTTON).c_str(),
        WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, place.x, place.y, place.width, place.height,
        main_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDM_FILE_OUTPUT)), instance(),
        nullptr);
    if (button != nullptr) {
        give_font(button, dpi, FALSE);
    }
}

bool has_file_output_button(HWND main_window) {
    return file_output_button(main_window) != nullptr;
}

void fit_file_output_button(HWND main_window, int dpi) {
    const HWND button = file_output_button(main_window);
    if (button == nullptr) {
        return;
    }
    const PixelRect place = file_output_button_rect(dpi);
    SetWindowPos(button, nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    give_font(button, dpi, TRUE);
}

}  // namespace tenkari::win32
