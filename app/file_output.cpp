#include "app/file_output.h"

#include <cstring>
#include <fstream>

namespace tenkari {

std::string output_file_content(const ReadingRecord& record) {
    std::string content;
    if (record.write_annual == 1) {
        content.append(record.annual_text, strnlen(record.annual_text, sizeof record.annual_text));
    }
    if (record.write_hexagram == 1) {
        content.append(record.hexagram_text,
                       strnlen(record.hexagram_text, sizeof record.hexagram_text));
    }
    return content;
}

bool write_output_file(const ReadingRecord& record, const std::filesystem::path& path) {
    if (record.input_failed == 1) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string content = output_file_content(record);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    return static_cast<bool>(file);
}

}  // namespace tenkari
