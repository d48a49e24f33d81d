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

namespace {

// A separator or a drive colon would place the file elsewhere; Windows makes no file whose name
// holds one of the others.
constexpr char kNotInAFileName[] = "\\/:<>\"|?*";

}  // namespace

bool names_a_file_in_current_directory(std::string_view sjis_file_name) {
    if (sjis_file_name.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < sjis_file_name.size();) {
        const std::size_t width = sjis_character_width(sjis_file_name.substr(i));
        const char c = sjis_file_name[i];
        if (width == 1 &&
            (std::strchr(kNotInAFileName, c) != nullptr || static_cast<unsigned char>(c) < 0x20)) {
            return false;
        }
        i += width;
    }
    return true;
}

FileOutputStep file_output_step(const ReadingRecord& record) {
    if (record.input_failed != 0) {
        return FileOutputStep::nothing_to_write;
    }
    if (!names_a_file_in_current_directory(field_text(record.output_file_name))) {
        return FileOutputStep::name_refused;
    }
    return FileOutputStep::write;
}

bool may_write_output_file(const ReadingRecord& record) {
    return file_output_step(record) == FileOutputStep::write;
}

}  // namespace tenkari
