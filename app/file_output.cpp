#include "app/file_output.h"

#include <cstring>

#include "reckoning/shift_jis.h"

namespace tenkari {

std::string output_file_content(const ReadingRecord& record) {
    std::string content;
    if (record.write_annual == 1) {
        content += field_text(record.annual_text);
    }
    if (record.write_hexagram == 1) {
        content += field_text(record.hexagram_text);
    }
    return content;
}

bool names_a_file_in_current_directory(std::string_view sjis_file_name) {
    if (sjis_file_name.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < sjis_file_name.size();) {
        const std::size_t width = sjis_character_width(sjis_file_name.substr(i));
        const char c = sjis_file_name[i];
        if (width == 1 && (c == '\\' || c == '/' || c == ':')) {
            return false;
        }
        i += width;
    }
    return true;
}

bool may_write_output_file(const ReadingRecord& record) {
    return record.input_failed == 0 &&
           names_a_file_in_current_directory(field_text(record.output_file_name));
}

}  // namespace tenkari
