// What the driver can learn about another process's windows without disturbing it: every
// message is sent with SendMessageTimeoutW, never a plain SendMessage, so a hung program cannot
// hang the driver, and a message that gets no reply is a ReadFailure naming what was read.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// foreign_box: a dialog of a process that the program started, such as the help viewer.
enum class WindowKind { main_window, input_dialog, message_box, other_dialog, foreign_box, other };

class ReadFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How long a window may take to answer a message the driver sends it.
inline constexpr UINT kReplyTimeoutMs = 5000;
// The static control that holds a message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

// The thread reads per-monitor aware while it lives, and goes back to its own awareness after.
class PerMonitorReads {
  public:
    PerMonitorReads()
        : before_(SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) {}
    ~PerMonitorReads() {
        if (before_ != nullptr)
            SetThreadDpiAwarenessContext(before_);
    }
    PerMonitorReads(const PerMonitorReads&) = delete;
    PerMonitorReads& operator=(const PerMonitorReads&) = delete;
    bool active() const { return before_ != nullptr; }

  private:
    DPI_AWARENESS_CONTEXT before_;
};

const char* kind_name(WindowKind kind);
WindowKind kind_of(HWND window);

// The processes that this one started and that still run.
std::vector<DWORD> child_processes_of(DWORD process_id);
// The visible top-level windows of a process, or of any of the processes, in z-order.
std::vector<HWND> visible_windows_of(DWORD process_id);
std::vector<HWND> visible_windows_of(const std::vector<DWORD>& process_ids);
// The visible dialogs of the processes that this one started.
std::vector<HWND> visible_dialogs_of_children_of(DWORD process_id);
// These read through SendMessageTimeoutW and throw ReadFailure when no reply comes.
std::wstring text_of(HWND window);
bool is_checked(HWND button);
HICON icon_of(HWND icon_control);
std::wstring class_of(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND child);
std::vector<HWND> children_with_id(HWND parent, int id);

}  // namespace e2e
