#include "app/win32/file_output_button.h"

#include <string>

#include "app/dpi_scaling.h"
#include "app/file_output.h"
#include "app/win32/dpi.h"
#include "app/win32/save_failure_box.h"
#include "app/win32/shell_context.h"
#include "app/win32/text_conversion.h"
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
    face.lfHeight = rescale_for_dpi(face.lfHeight, system_dpi(), dpi);
    face.lfWidth = rescale_for_dpi(face.lfWidth, system_dpi(), dpi);
    return CreateFontIndirectW(&face);
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

// Writes content to the file at path, opened for reading and writing with no sharing; an
// existing file is replaced. Returns the error that kept any byte from the file, else
// ERROR_SUCCESS. A file left with part of a reading is removed, since it would pass for a saved
// one; an earlier file that no byte reached keeps what it held.
DWORD write_file(const std::wstring& path, const std::string& content) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    DWORD error = ERROR_SUCCESS;
    DWORD written = 0;
    if (!WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
        error = GetLastError();
    } else if (written != content.size()) {
        // A short write with no error of its own: the volume took no more.
        error = ERROR_DISK_FULL;
    }
    // Whatever a longer earlier file held beyond the new text goes.
    if (error == ERROR_SUCCESS && !SetEndOfFile(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS && (!existed || written > 0)) {
        DeleteFileW(path.c_str());
    }
    return error;
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

void write_output_file(HWND main_window, const ReadingRecord& record) {
    const FileOutputStep step = file_output_step(record);
    if (step == FileOutputStep::nothing_to_write) {
        return;
    }
    const std::wstring file_name = sjis_to_utf16(field_text(record.output_file_name));
    std::wstring reason;
    if (step == FileOutputStep::name_refused) {
        reason = load_ui_text(IDS_NAME_REFUSED_REASON);
    } else if (const DWORD error = write_file(file_name, output_file_content(record));
               error != ERROR_SUCCESS) {
        reason = system_error_text(error);
    } else {
        return;
    }
    show_save_failure(main_window, file_name, reason);
}

}  // namespace tenkari::win32
