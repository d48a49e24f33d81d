#pragma once

#include <windows.h>

#include "app/reading_record.h"
#include "app/status_line.h"

namespace tenkari::win32 {

// The status bar at the foot of the main window, which says what the last command did: where
// to begin, whose reading of which year is shown, where a file went, why a command did nothing,
// and which characters of the name the stroke table counts 0. Made with the main window, with
// where to begin.
void create_status_bar(HWND main_window);

// Gives the bar a font made for dpi (at its making, and when the window goes to a monitor of
// another scaling) and its place.
void fit_status_bar(HWND main_window, int dpi);

// Keeps the bar at the foot of the main window once the window has changed its size.
void place_status_bar(HWND main_window);

// Puts what message says of the record into the bar; unchanged leaves it as it is.
void show_status(HWND main_window, StatusMessage message, const ReadingRecord& record);

// The bar itself; null before it is made.
HWND status_bar(HWND main_window);

}  // namespace tenkari::win32
