#pragma once

#include <windows.h>

#include "app/reading_record.h"
#include "app/status_line.h"

namespace tenkari::win32 {

// Command 202: writes the marked reading to output_file_name in the current folder. The new file
// is written whole beside it, under a name of its own, and only then takes the place of an
// earlier file of that name, so that a failure at any byte leaves the earlier file as it was and
// nothing else behind. When the reading could not be saved (Windows refuses the name, a folder
// or a read-only file of that name is in the way, the disk is full, …), a box owned by
// main_window names the cause; the record keeps the reading either way, so a press after the
// cause is gone writes it. Nothing while a rejected input is pending. Returns what the status
// bar is to say of it.
StatusMessage save_reading(HWND main_window, const ReadingRecord& record);

}  // namespace tenkari::win32
