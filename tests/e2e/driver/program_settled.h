// Reads of the program's state that wait for it: its message loop, or a condition, up to a
// deadline.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e::settled {

// Whether the program's thread has come back to its message loop (or a modal loop) and answered
// a message sent to its main window: what it was handling before is done.
bool back_in_message_loop(HWND main_window);

// Calls `done` every few milliseconds until it holds (true) or the deadline passes (false).
bool poll(DWORD timeout_ms, const std::function<bool()>& done);

}  // namespace e2e::settled
