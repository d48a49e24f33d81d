#pragma once

#include "app/file_output.h"
#include "app/reading_record.h"

namespace tenkari {

// What the main window's status bar says after a command, decided from the record as the
// command left it. The texts themselves belong to the shell.
enum class StatusMessage {
    // The command changed nothing that the bar speaks of: it keeps what it said.
    unchanged,
    // At the start, and as long as no reading was accepted: where to begin.
    where_to_begin,
    // The annual reading of name and judged_year was shown.
    annual_shown,
    // The hexagram reading of name and judged_year was shown.
    hexagram_shown,
    // The reading went to output_file_name in the current folder.
    saved,
    // The save failed; its box says why.
    not_saved,
    // A refused input was cancelled: the command has no accepted input to work on.
    nothing_to_save,
    no_hexagram,
};

// After the input dialog of command 200 has returned.
StatusMessage status_after_annual_command(const ReadingRecord& record);

// After command 201, whatever it showed.
StatusMessage status_after_hexagram_command(const ReadingRecord& record);

// After command 202 took the given step and, for a write, succeeded or not.
StatusMessage status_after_file_output(FileOutputStep step, bool written);

}  // namespace tenkari
