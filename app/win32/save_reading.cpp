#include "app/win32/save_reading.h"

#include <string>

#include "app/file_output.h"
#include "app/save_failure.h"
#include "app/win32/save_failure_box.h"
#include "app/win32/shell_context.h"
#include "app/win32/text_conversion.h"
#include "resources/resource.h"

namespace tenkari::win32 {
namespace {

// The new file's own name, in the folder the reading goes to, so that it can take the place of
// the earlier file at once.
constexpr const wchar_t* kNewFileFolder = L".";
constexpr const wchar_t* kNewFilePrefix = L"tnk";

SaveTarget target_at(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    return {(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            (attributes & FILE_ATTRIBUTE_READONLY) != 0};
}

// Writes content, every byte of it, to a new file of its own name in the current folder, opened
// with no sharing: the error that stopped it, else ERROR_SUCCESS with the file's name in made.
// A file that could not be written whole is removed.
DWORD write_new_file(const std::string& content, std::wstring& made) {
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(kNewFileFolder, kNewFilePrefix, 0, name) == 0) {
        return GetLastError();
    }
    const HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileW(name);
        return error;
    }
    DWORD error = ERROR_SUCCESS;
    DWORD written = 0;
    if (!WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
        error = GetLastError();
    } else if (written != content.size()) {
        // A short write with no error of its own: the volume took no more.
        error = ERROR_DISK_FULL;
    } else if (!FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(name);
        return error;
    }
    made = name;
    return ERROR_SUCCESS;
}

// The new file takes the place of the file at path, or becomes it; on failure it goes.
DWORD put_in_place(const std::wstring& made, const std::wstring& path) {
    if (MoveFileExW(made.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    DeleteFileW(made.c_str());
    return error;
}

std::wstring reason_for(SaveFailure failure, DWORD error, const std::wstring& file_name) {
    switch (failure) {
        case SaveFailure::name_refused:
            return load_ui_text(IDS_NAME_REFUSED_REASON);
        case SaveFailure::folder_in_the_way:
            return load_ui_text(IDS_FOLDER_IN_THE_WAY_REASON);
        case SaveFailure::read_only_file:
            return load_ui_text(IDS_READ_ONLY_FILE_REASON);
        case SaveFailure::disk_full:
            return load_ui_text(IDS_DISK_FULL_REASON);
        case SaveFailure::other:
            break;
    }
    return system_error_text(error, file_name);
}

}  // namespace

StatusMessage save_reading(HWND main_window, const ReadingRecord& record) {
    const FileOutputStep step = file_output_step(record);
    if (step == FileOutputStep::nothing_to_write) {
        return status_after_file_output(step, false);
    }
    const std::wstring file_name = sjis_to_utf16(field_text(record.output_file_name));
    SaveFailure failure = SaveFailure::name_refused;
    DWORD error = ERROR_SUCCESS;
    if (step == FileOutputStep::write) {
        // What stands there is not tried: Windows would refuse it, and say only that access is
        // denied.
        const SaveTarget target = target_at(file_name);
        if (!target.is_folder && !target.is_read_only) {
            std::wstring made;
            error = write_new_file(output_file_content(record), made);
            if (error == ERROR_SUCCESS) {
                error = put_in_place(made, file_name);
            }
            if (error == ERROR_SUCCESS) {
                return status_after_file_output(step, true);
            }
        }
        failure = classify_save_failure(target, error);
    }
    show_save_failure(main_window, file_name, reason_for(failure, error, file_name));
    return status_after_file_output(step, false);
}

}  // namespace tenkari::win32
