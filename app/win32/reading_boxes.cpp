#include "app/win32/reading_boxes.h"

#include "app/win32/shell_context.h"
#include "app/win32/text_conversion.h"
#include "resources/resource.h"

namespace tenkari::win32 {

void show_reading_box(HWND owner, std::string_view sjis_reading, UINT caption_id) {
    MessageBeep(MB_ICONINFORMATION);
    MessageBoxW(owner, sjis_to_utf16(sjis_reading).c_str(), load_ui_text(caption_id).c_str(),
                MB_OK);
}

void show_plain_message(HWND owner, std::string_view sjis_message) {
    MessageBoxW(owner, sjis_to_utf16(sjis_message).c_str(), nullptr, MB_OK);
}

void MessageBoxHexagramView::show_message(std::string_view sjis_message) {
    show_plain_message(main_window_, sjis_message);
}

void MessageBoxHexagramView::show_hexagram_reading(std::string_view sjis_text) {
    show_reading_box(main_window_, sjis_text, IDS_HEXAGRAM_CAPTION);
}

}  // namespace tenkari::win32
