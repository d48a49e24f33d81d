#pragma once

#include <filesystem>
#include <string>

#include "app/reading_record.h"

namespace tenkari {

// The bytes the file output writes: annual_text when write_annual is 1, then hexagram_text when
// write_hexagram is 1, each up to its NUL. Nothing is added: no header, no byte-order mark.
std::string output_file_content(const ReadingRecord& record);

// Writes output_file_content to the file at path, replacing what it held. Does nothing while
// input_failed is set. Returns whether every byte was written; the shell reports nothing.
bool write_output_file(const ReadingRecord& record, const std::filesystem::path& path);

}  // namespace tenkari
