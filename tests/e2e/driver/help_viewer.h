// The help viewer that the program's help command starts: a process of its own whose main
// window has the class "MS_WINHELP" and shows the current topic in a rich edit control.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The visible main window of a help viewer that the process started, or none.
HWND visible_help_viewer_of_child_of(DWORD process_id);
// The text of the topic the viewer shows (empty while it shows none); a ReadFailure when the
// viewer does not answer.
std::wstring shown_topic_text(HWND viewer);

}  // namespace e2e
