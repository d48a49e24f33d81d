#include "app/win32/status_bar.h"

#include <commctrl.h>

#include <string>

#include "app/win32/dpi.h"
#include "app/win32/folders.h"
#include "app/win32/shell_context.h"
#include "app/win32/text_conversion.h"
#include "reckoning/counted_forms.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

// The font the bar shows now; made here, so it is deleted when a new one replaces it.
HFONT bar_font = nullptr;

// The system's own status bar font, at dpi.
HFONT create_bar_font(int dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;
    }
    return create_font_at_dpi(metrics.lfStatusFont, dpi);
}

// What the stroke table leaves out of the name: which characters count 0 and, where a common
// form of one is counted, that form. Empty when it counts every character.
std::wstring uncounted_note(const ReadingRecord& record) {
    const auto uncounted = uncounted_characters(record.name);
    if (uncounted.empty()) {
        return {};
    }
    std::wstring characters;
    std::wstring forms;
    for (const UncountedCharacter& each : uncounted) {
        const std::wstring character = sjis_to_utf16(each.character);
        characters += format_ui_text(IDS_STATUS_QUOTED, {character});
        if (!each.counted_form.empty()) {
            if (!forms.empty()) {
                forms += load_ui_text(IDS_STATUS_LIST_SEPARATOR);
            }
            forms +=
                format_ui_text(IDS_STATUS_FORM_PAIR, {character, sjis_to_utf16(each.counted_form)});
        }
    }
    std::wstring note = format_ui_text(IDS_STATUS_UNCOUNTED, {characters});
    if (!forms.empty()) {
        note += format_ui_text(IDS_STATUS_COUNTED_FORMS, {forms});
    }
    return note;
}

std::wstring reading_status(UINT id, const ReadingRecord& record) {
    return format_ui_text(
               id, {sjis_to_utf16(field_text(record.name)), std::to_wstring(record.judged_year)}) +
           uncounted_note(record);
}

std::wstring status_text(StatusMessage message, const ReadingRecord& record) {
    const std::wstring file = sjis_to_utf16(field_text(record.output_file_name));
    switch (message) {
        case StatusMessage::where_to_begin:
            return load_ui_text(IDS_STATUS_WHERE_TO_BEGIN);
        case StatusMessage::annual_shown:
            return reading_status(IDS_STATUS_ANNUAL_SHOWN, record);
        case StatusMessage::hexagram_shown:
            return reading_status(IDS_STATUS_HEXAGRAM_SHOWN, record);
        case StatusMessage::saved:
            return format_ui_text(IDS_STATUS_SAVED, {file, current_folder()});
        case StatusMessage::not_saved:
            return format_ui_text(IDS_STATUS_NOT_SAVED, {file});
        case StatusMessage::nothing_to_save:
            return load_ui_text(IDS_STATUS_NOTHING_TO_SAVE);
        case StatusMessage::no_hexagram:
            return load_ui_text(IDS_STATUS_NO_HEXAGRAM);
        case StatusMessage::unchanged:
            break;
    }
    return {};
}

}  // namespace

HWND status_bar(HWND main_window) {
    return GetDlgItem(main_window, IDC_STATUS_BAR);
}

void create_status_bar(HWND main_window) {
    const HWND bar = CreateWindowExW(
        0, STATUSCLASSNAMEW, load_ui_text(IDS_STATUS_WHERE_TO_BEGIN).c_str(),
        WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, main_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), instance(), nullptr);
    if (bar != nullptr) {
        fit_status_bar(main_window, window_dpi(main_window));
    }
}

void fit_status_bar(HWND main_window, int dpi) {
    const HWND bar = status_bar(main_window);
    if (bar == nullptr) {
        return;
    }
    const HFONT font = create_bar_font(dpi);
    if (font != nullptr) {
        SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (bar_font != nullptr) {
            DeleteObject(bar_font);
        }
        bar_font = font;
    }
    place_status_bar(main_window);
}

void place_status_bar(HWND main_window) {
    // The bar places itself at the foot of its parent and takes the height of its font.
    SendMessageW(status_bar(main_window), WM_SIZE, 0, 0);
}

void show_status(HWND main_window, StatusMessage message, const ReadingRecord& record) {
    if (message == StatusMessage::unchanged) {
        return;
    }
    SendMessageW(status_bar(main_window), SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(status_text(message, record).c_str()));
}

}  // namespace tenkari::win32
