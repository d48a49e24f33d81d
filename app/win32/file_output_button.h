#pragma once

#include <windows.h>

#include "app/reading_record.h"

namespace tenkari::win32 {

// Creates the push button "ファイル出力" (command 202) in the main window once a reading
// exists (has_result is 1); never a second one. A failed creation is tried again next time.
// Its place, size and font are those of 96 DPI scaled to the main window's DPI.
void ensure_file_output_button(HWND main_window, const ReadingRecord& record);

// Whether the main window holds the file output button, whose command 202 is.
bool has_file_output_button(HWND main_window);

// After the main window's DPI has changed (it went to another monitor): moves and resizes the
// button to its place at dpi and gives it a font made for dpi. Nothing while there is no button.
void fit_file_output_button(HWND main_window, int dpi);

}  // namespace tenkari::win32
