// What the driver can learn about another process's windows without disturbing it: texts are
// read with SendMessageTimeoutW, never a plain SendMessage, so a hung program cannot hang the
// driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// foreign_box: a dialog of another process that the program started, such as the help viewer.
enum class WindowKind { main_window, input_dialog, message_box, other_dialog, foreign_box, other };

const char* kind_name(WindowKind kind);
WindowKind kind_of(HWND window);

// The visible top-level windows of a process, in z-order.
std::vector<HWND> visible_windows_of(DWORD process_id);
// The visible dialogs of every process but these two.
std::vector<HWND> visible_dialogs_not_of(DWORD process_id, DWORD other_process_id);
std::wstring text_of(HWND window);
std::wstring class_of(HWND window);
// BM_GETCHECK of a button, read across processes.
bool is_checked(HWND button);
// A child's rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND child);
std::vector<HWND> children_with_id(HWND parent, int id);

}  // namespace e2e
