#include "app/win32/help_command.h"

#include <shellapi.h>

#include <string>

#include "app/help_choice.h"
#include "app/win32/folders.h"
#include "app/win32/shell_context.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

bool is_file(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The WinHelp viewer takes the file name in the ANSI code page. Where that cannot hold the path
// (テンカリ on a system whose code page is not 932), the viewer is given the file's short name,
// which it can hold; where the volume keeps no short names, the path as it is.
std::wstring path_for_the_viewer(const std::wstring& path) {
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0, nullptr, &lost);
    if (!lost) {
        return path;
    }
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring short_path(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), short_path.data(), size);
    if (size == 0 || length == 0 || length >= size) {
        return path;
    }
    short_path.resize(length);
    return short_path;
}

// Opens the help; the error the system gave when it could not, else ERROR_SUCCESS.
DWORD open_help(HWND main_window, HelpForm form, const std::wstring& path,
                const std::wstring& folder) {
    if (form == HelpForm::win_help_file) {
        // The viewer's own window stays open when the program ends, as a help viewer's does.
        return WinHelpW(main_window, path_for_the_viewer(path).c_str(), HELP_FINDER, 0)
                   ? ERROR_SUCCESS
                   : GetLastError();
    }
    // The page opens in whatever program the user has chosen for web pages.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(main_window, nullptr, path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
    if (result > 32) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : static_cast<DWORD>(result);
}

}  // namespace

void open_help_contents(HWND main_window) {
    const HelpForm form = help_form_for(GetVersion());
    const std::wstring file_name =
        load_ui_text(form == HelpForm::win_help_file ? IDS_HELP_FILE : IDS_HELP_PAGE);
    const std::wstring folder = program_folder();
    const std::wstring path = path_in(folder, file_name);
    std::wstring reason;
    if (!is_file(path)) {
        reason = load_ui_text(IDS_HELP_MISSING_REASON);
    } else if (const DWORD error = open_help(main_window, form, path, folder);
               error != ERROR_SUCCESS) {
        reason = system_error_text(error);
    } else {
        return;
    }
    MessageBoxW(main_window,
                format_ui_text(IDS_HELP_NOT_OPENED, {file_name, folder, reason}).c_str(),
                load_ui_text(IDS_HELP_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tenkari::win32
