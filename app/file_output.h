#pragma once

#include <filesystem>
#include <string>

#include "app/reading_record.h"

namespace tenkari {

// The bytes the file output writes: annual_text when write_annual is 1, then hexagram_text when
// write_hexagram is 1, each up to its NUL. Nothing is added: no header, no byte-order mark.
std::string output_file_content(const ReadingRecord& record);

// Whether a Shift-JIS file name names a file that Windows can make in the current directory: it
// holds no "\", "/" or ":" as a character of its own, which would place the file elsewhere, and
// none of < > " | ? * or a control character, which Windows refuses in a file name (a character
// that code page 932 cannot hold becomes "?"). A trail byte 0x5C or 0x7C, as in 表, ソ or ポ, is
// part of its character.
bool names_a_file_in_current_directory(std::string_view sjis_file_name);

// Whether the file output may write: no rejected input is pending and output_file_name names a
// file in the current directory. A name typed with a path separator or a drive colon would
// otherwise write elsewhere; the file output then writes nothing, as for a file that cannot be
// created, and so for every name that Windows would refuse, on every system alike.
bool may_write_output_file(const ReadingRecord& record);

// Writes output_file_content to the file at path, replacing what it held. Does nothing while
// may_write_output_file refuses. Returns whether every byte was written; the shell reports nothing.
bool write_output_file(const ReadingRecord& record, const std::filesystem::path& path);

}  // namespace tenkari
