#include "app/win32/folders.h"

#include <windows.h>

namespace tenkari::win32 {

std::wstring program_folder() {
    // A path longer than MAX_PATH is cut to the buffer without an error on some systems, so the
    // buffer grows until the path fits with room to spare.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return L"";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return L"";
    }
    // A drive's root keeps its backslash: "C:\tenkari.exe" is in "C:\".
    const bool drive_root = separator == 2 && path[1] == L':';
    return path.substr(0, drive_root ? separator + 1 : separator);
}

std::wstring current_folder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) {
        return L"";
    }
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

std::wstring path_in(const std::wstring& folder, const std::wstring& file_name) {
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') {
        return folder + file_name;
    }
    return folder + L"\\" + file_name;
}

}  // namespace tenkari::win32
