#include "scaled_button.h"

#include "json_line.h"
#include "program_settled.h"
#include "window_query.h"

namespace e2e {
std::string scaled_button(HWND main_window, int button_id, DWORD timeout_ms) {
    if (!settled::back_in_message_loop(main_window))
        return JsonLine::failure("the program is not in its message loop");
    HWND button = nullptr;
    const bool found = settled::poll(timeout_ms, [&] {
        const auto buttons = children_with_id(main_window, button_id);
        button = buttons.size() == 1 ? buttons.front() : nullptr;
        return button != nullptr && IsWindowVisible(button);
    });
    if (!found)
        return JsonLine::failure("the main window does not show one file output button");
    // The button is made visible by the call that creates it; read once that call is over.
    if (!settled::back_in_message_loop(main_window))
        return JsonLine::failure("the program did not come back to its message loop");
    const PerMonitorReads reads;
    if (!reads.active())
        return JsonLine::failure("the driver cannot read per-monitor aware");
    const RECT rect = rect_in_parent(button);
    const DPI_AWARENESS awareness =
        GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(main_window));
    return JsonLine()
        .field("ok", true)
        .place(rect)
        .field("window_dpi", static_cast<long long>(GetDpiForWindow(main_window)))
        .field("awareness", static_cast<long long>(awareness))
        .str();
}

}  // namespace e2e
