#pragma once

#include <string_view>

#include "app/input_rules.h"
#include "app/reading_record.h"

namespace tenkari {

// What a press of 実行 shows. The Win32 dialog shows message boxes; tenkari-cli prints.
class InputDialogView {
  public:
    virtual ~InputDialogView() = default;
    // A refused input: the message box without caption, icon or sound; the dialog stays open.
    virtual void show_input_error(std::string_view sjis_message) = 0;
    // The dialog leaves the screen; the acceptance step still runs after it.
    virtual void end_dialog() = 0;
    // The information sound, then the reading in a box captioned "判断".
    virtual void show_annual_reading(const ReadingRecord& record) = 0;
};

// A press of 実行 once the entries are in the record: validates them and either reports the
// refusal (input_failed = 1) or runs the acceptance step. Returns the verdict.
InputVerdict press_run(ReadingRecord& record, InputDialogView& view);

// The acceptance step: ends the dialog, sets the output file name and flags, computes the name
// number and year pillar, composes the annual reading and shows it.
void accept_inputs(ReadingRecord& record, InputDialogView& view);

}  // namespace tenkari
