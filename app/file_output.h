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

// What the file output command does with the record as it stands.
enum class FileOutputStep {
    // Write the marked reading to output_file_name.
    write,
    // A rejected input was cancelled: nothing is written until the dialog is opened again, and
    // there is no failure to report, since no reading was asked to be saved.
    nothing_to_write,
    // output_file_name holds a path separator, a drive colon or a character Windows refuses in a
    // file name: nothing is written, and the reading could not be saved under that name.
    name_refused,
};
FileOutputStep file_output_step(const ReadingRecord& record);

// Whether the file output may write (file_output_step is write). A name typed with a path
// separator or a drive colon would otherwise write elsewhere, so no such name is ever written,
// and neither is one that Windows would refuse, on every system alike.
bool may_write_output_file(const ReadingRecord& record);

// Writes output_file_content to the file at path: whole, beside it first, then in its place, so
// that an earlier file of that name stays as it was when any byte fails. Does nothing while
// may_write_output_file refuses. Returns whether the file now holds the reading.
bool write_output_file(const ReadingRecord& record, const std::filesystem::path& path);

}  // namespace tenkari
