#pragma once

#include <windows.h>

#include "app/reading_record.h"

namespace tenkari::win32 {

// Creates the push button "ファイル出力" (command 202) in the main window once a reading
// exists (has_result is 1); never a second one. A failed creation is tried again next time.
void ensure_file_output_button(HWND main_window, const ReadingRecord& record);

// Command 202: writes the marked reading to output_file_name in the current directory, opened
// for reading and writing with no sharing; an existing file is replaced. Nothing is reported.
void write_output_file(const ReadingRecord& record);

}  // namespace tenkari::win32
