#include "app/win32/input_dialog.h"

#include <imm.h>

#include <string>

#include "app/acceptance.h"
#include "app/input_rules.h"
#include "app/reading_record.h"
#include "app/win32/reading_boxes.h"
#include "app/win32/shell_context.h"
#include "app/win32/text_conversion.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

constexpr INT_PTR kAccepted = 1;
constexpr INT_PTR kCancelled = 2;

// What a press of 実行 shows, over this dialog.
class DialogWindowView : public InputDialogView {
  public:
    explicit DialogWindowView(HWND dialog) : dialog_(dialog) {}
    void show_input_error(std::string_view sjis_message) override {
        show_plain_message(dialog_, sjis_message);
    }
    void end_dialog() override { EndDialog(dialog_, kAccepted); }
    // The box is owned by the ended dialog: the step ends when the user closes it.
    void show_annual_reading(const ReadingRecord& record) override {
        show_reading_box(dialog_, field_text(record.annual_text), IDS_ANNUAL_CAPTION);
    }

  private:
    HWND dialog_;
};

// The whole entry as Shift-JIS; the input rules keep what fits the record.
std::string entry_text(HWND dialog, int control_id) {
    const HWND control = GetDlgItem(dialog, control_id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return utf16_to_sjis(text);
}

void set_entry_text(HWND dialog, int control_id, std::string_view sjis) {
    SetDlgItemTextW(dialog, control_id, sjis_to_utf16(sjis).c_str());
}

// The year boxes take digits with the IME off, whatever it was for the name before: a user who
// types the name with the IME on and goes on to the year gets half-width digits, which the
// dialog reads. A full-width year that still arrives (pasted) reads as before.
void type_years_without_ime(HWND dialog) {
    for (const int year_box : {IDC_BIRTH_YEAR, IDC_JUDGED_YEAR}) {
        ImmAssociateContextEx(GetDlgItem(dialog, year_box), nullptr, 0);
    }
}

void prefill(HWND dialog, ReadingRecord& record) {
    set_entry_text(dialog, IDC_NAME, field_text(record.name));
    set_entry_text(dialog, IDC_BIRTH_YEAR, year_entry_text(record.birth_year));
    set_entry_text(dialog, IDC_JUDGED_YEAR, year_entry_text(record.judged_year));
    CheckRadioButton(dialog, IDC_MALE, IDC_FEMALE, record.is_male == 1 ? IDC_MALE : IDC_FEMALE);
}

void press_run_button(HWND dialog, ReadingRecord& record) {
    store_entries(record, entry_text(dialog, IDC_NAME), entry_text(dialog, IDC_BIRTH_YEAR),
                  entry_text(dialog, IDC_JUDGED_YEAR));
    DialogWindowView view(dialog);
    press_run(record, view);
}

void choose_sex(HWND dialog, ReadingRecord& record, int radio_id) {
    record.is_male = radio_id == IDC_MALE ? 1 : 0;
    CheckRadioButton(dialog, IDC_MALE, IDC_FEMALE, radio_id);
}

}  // namespace

void run_input_dialog(HWND main_window) {
    DialogBoxParamW(instance(), L"TESTDIALOG", main_window, input_dialog_procedure, 0);
}

INT_PTR CALLBACK input_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    ReadingRecord& record = the_reading_record();
    switch (message) {
        case WM_INITDIALOG:
            type_years_without_ime(dialog);
            prefill(dialog, record);
            record.input_failed = 0;
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDOK:
                    press_run_button(dialog, record);
                    return FALSE;
                case IDCANCEL:
                    EndDialog(dialog, kCancelled);
                    record.has_result = 0;
                    return FALSE;
                case IDC_MALE:
                case IDC_FEMALE:
                    choose_sex(dialog, record, LOWORD(wparam));
                    return FALSE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace tenkari::win32
