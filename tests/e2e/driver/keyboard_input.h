// Keys pressed as at the keyboard. A posted WM_KEYDOWN does not change the key state that the
// program's GetKeyState (and so TranslateAccelerator) reads; input sent through SendInput does,
// as each key message is taken from the program's queue.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Brings the main window to the foreground and presses the keys down in order and lets them up
// in reverse order (Ctrl, S: Ctrl+S) through SendInput. Then it presses Alt+F, and waits for
// the program's File menu to open: the program takes its input in order, so the keys before
// have been handled by then. The menu is closed again, and the reply (one JSON line) comes once
// the program is back in its message loop. The keys must not open a window of their own.
std::string press_keys(HWND main_window, const std::vector<WORD>& virtual_keys, DWORD timeout_ms);

}  // namespace e2e
