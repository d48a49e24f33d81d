// The file output through the standard library, for the front ends that are not the Win32
// program (which opens the file with no sharing through the platform instead). Kept apart
// from file_output.cpp so that tenkari.exe links no file streams.
#include "app/file_output.h"

#include <fstream>

namespace tenkari {

bool write_output_file(const ReadingRecord& record, const std::filesystem::path& path) {
    if (!may_write_output_file(record)) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string content = output_file_content(record);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    // A failure that shows only when the last bytes are flushed counts too.
    file.close();
    return !file.fail();
}

}  // namespace tenkari
