// The file output through the standard library, for the front ends that are not the Win32
// program (which writes through the platform instead). Kept apart from file_output.cpp so that
// tenkari.exe links no file streams.
#include <fstream>
#include <system_error>

#include "app/file_output.h"

namespace tenkari {

bool write_output_file(const ReadingRecord& record, const std::filesystem::path& path) {
    if (!may_write_output_file(record)) {
        return false;
    }
    // Written whole beside it first, then put in its place: an earlier file of that name stays
    // as it was when any byte fails.
    std::filesystem::path made = path;
    made += ".tenkari-new";
    const std::string content = output_file_content(record);
    std::ofstream file(made, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    // A failure that shows only when the last bytes are flushed counts too.
    file.close();
    std::error_code error;
    if (!file.fail()) {
        std::filesystem::rename(made, path, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(made, error);
    return false;
}

}  // namespace tenkari
