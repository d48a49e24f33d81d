#include "app/win32/file_output_button.h"

#include <string>

#include "app/file_output.h"
#include "app/win32/shell_context.h"
#include "app/win32/text_conversion.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

constexpr int kButtonX = 450;
constexpr int kButtonY = 300;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 32;

}  // namespace

void ensure_file_output_button(HWND main_window, const ReadingRecord& record) {
    if (record.has_result != 1 || GetDlgItem(main_window, IDM_FILE_OUTPUT) != nullptr) {
        return;
    }
    const HWND button = CreateWindowExW(
        0, L"BUTTON", load_ui_text(IDS_FILE_OUTPUT_BUTTON).c_str(),
        WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kButtonX, kButtonY, kButtonWidth, kButtonHeight,
        main_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDM_FILE_OUTPUT)), instance(),
        nullptr);
    if (button != nullptr) {
        // The window's own dialog font, not the bold system font of a bare child window.
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
    }
}

void write_output_file(const ReadingRecord& record) {
    if (!may_write_output_file(record)) {
        return;
    }
    const HANDLE file = CreateFileW(sjis_to_utf16(field_text(record.output_file_name)).c_str(),
                                    GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string content = output_file_content(record);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    // Whatever a longer earlier file held beyond the new text goes.
    SetEndOfFile(file);
    CloseHandle(file);
}

}  // namespace tenkari::win32
