// The pages of the Windows Installer's own dialogs, which msiexec draws from the package's
// tables: found by a text they show, read back control by control, their buttons found by
// their labels.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// A visible top-level window of the process with a visible control that shows text; null
// while there is none.
HWND page_showing(DWORD process_id, const std::wstring& text);

// {"caption","controls":[{"class","text","visible","checked"}, ...]} in the page's control order.
std::string describe_page(HWND page);

// The page's visible push button or check box whose label, its & marks aside, is label.
HWND control_labelled(HWND page, const std::wstring& label);

}  // namespace e2e
