#include "app/win32/help_command.h"

#include <shellapi.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "app/help_choice.h"
#include "app/win32/folders.h"
#include "app/win32/shell_context.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

// Why the help did not open, and what the user can do about it, where there is something.
struct HelpFailure {
    std::wstring reason;
    std::wstring advice;
};

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

// Where no program is set for web pages, Windows' own choice of one ("How do you want to open
// this file?"), which then opens the page. True once the page is open or the user has chosen
// not to open it.
bool offer_open_with(HWND main_window, const std::wstring& path) {
    OPENASINFO choice = {};
    choice.pcszFile = path.c_str();
    choice.oaifInFlags = OAIF_ALLOW_REGISTRATION | OAIF_REGISTER_EXT | OAIF_EXEC;
    const HRESULT result = SHOpenWithDialog(main_window, &choice);
    return SUCCEEDED(result) || result == HRESULT_FROM_WIN32(ERROR_CANCELLED);
}

// Opens the page in whatever program the user has chosen for web pages; what went wrong, else
// nothing.
std::optional<HelpFailure> open_page(HWND main_window, const std::wstring& path,
                                     const std::wstring& folder) {
    SHELLEXECUTEINFOW page = {};
    page.cbSize = sizeof page;
    // The program's own box tells what went wrong, in place of the shell's.
    page.fMask = SEE_MASK_FLAG_NO_UI;
    page.hwnd = main_window;
    page.lpFile = path.c_str();
    page.lpDirectory = folder.c_str();
    page.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&page)) {
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    const auto code = reinterpret_cast<INT_PTR>(page.hInstApp);
    if (error == ERROR_NO_ASSOCIATION || code == SE_ERR_NOASSOC || code == SE_ERR_ASSOCINCOMPLETE) {
        if (offer_open_with(main_window, path)) {
            return std::nullopt;
        }
        return HelpFailure{load_ui_text(IDS_HELP_NO_BROWSER_REASON),
                           format_ui_text(IDS_HELP_OPEN_BY_HAND, {path})};
    }
    return HelpFailure{system_error_text(error, path), {}};
}

std::optional<HelpFailure> open_help(HWND main_window, HelpForm form, const std::wstring& path,
                                     const std::wstring& folder) {
    if (!is_file(path)) {
        return HelpFailure{load_ui_text(IDS_HELP_MISSING_REASON),
                           load_ui_text(IDS_HELP_PLACE_ADVICE)};
    }
    if (form == HelpForm::web_page) {
        return open_page(main_window, path, folder);
    }
    // The viewer's own window stays open when the program ends, as a help viewer's does.
    if (WinHelpW(main_window, path_for_the_viewer(path).c_str(), HELP_FINDER, 0)) {
        return std::nullopt;
    }
    return HelpFailure{system_error_text(GetLastError(), path), {}};
}

}  // namespace

void open_help_contents(HWND main_window) {
    const HelpForm form = help_form_for(GetVersion());
    const std::wstring file_name =
        load_ui_text(form == HelpForm::win_help_file ? IDS_HELP_FILE : IDS_HELP_PAGE);
    const std::wstring folder = program_folder();
    const auto failure = open_help(main_window, form, path_in(folder, file_name), folder);
    if (!failure) {
        return;
    }
    std::wstring text = format_ui_text(IDS_HELP_NOT_OPENED, {file_name, folder, failure->reason});
    if (!failure->advice.empty()) {
        text += L"\n\n" + failure->advice;
    }
    MessageBoxW(main_window, text.c_str(), load_ui_text(IDS_HELP_CAPTION).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tenkari::win32
