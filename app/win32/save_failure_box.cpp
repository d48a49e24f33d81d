#include "app/win32/save_failure_box.h"

#include "app/win32/folders.h"
#include "app/win32/shell_context.h"
#include "resources/resource.h"

namespace tenkari::win32 {

void show_save_failure(HWND owner, const std::wstring& file_name, const std::wstring& reason) {
    MessageBoxW(owner,
                format_ui_text(IDS_SAVE_FAILED, {file_name, current_folder(), reason}).c_str(),
                load_ui_text(IDS_SAVE_FAILED_CAPTION).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace tenkari::win32
