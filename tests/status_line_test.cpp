#include "app/status_line.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tenkari {
namespace {

ReadingRecord record_with(int has_result, int input_failed, int write_hexagram,
                          const char* hexagram_text) {
    ReadingRecord record;
    record.has_result = has_result;
    record.input_failed = input_failed;
    record.write_hexagram = write_hexagram;
    std::strcpy(record.hexagram_text, hexagram_text);
    return record;
}

// The bar must never claim a reading that was not shown, nor stay silent when a command did
// nothing because a refused input was cancelled.
TEST(StatusLine, SaysWhatTheCommandLeftInTheRecord) {
    EXPECT_EQ(status_after_annual_command(record_with(1, 0, 0, "")), StatusMessage::annual_shown);
    // Cancelled: the bar stays on the reading last shown.
    EXPECT_EQ(status_after_annual_command(record_with(0, 0, 0, "")), StatusMessage::unchanged);
    EXPECT_EQ(status_after_annual_command(record_with(0, 1, 0, "")), StatusMessage::unchanged);

    EXPECT_EQ(status_after_hexagram_command(record_with(1, 0, 1, "\nx\n")),
              StatusMessage::hexagram_shown);
    EXPECT_EQ(status_after_hexagram_command(record_with(1, 1, 0, "\nx\n")),
              StatusMessage::no_hexagram);
    // Before any reading the command shows its own boxes and no passage.
    EXPECT_EQ(status_after_hexagram_command(record_with(0, 0, 0, "")), StatusMessage::unchanged);

    EXPECT_EQ(status_after_file_output(FileOutputStep::write, true), StatusMessage::saved);
    EXPECT_EQ(status_after_file_output(FileOutputStep::write, false), StatusMessage::not_saved);
    EXPECT_EQ(status_after_file_output(FileOutputStep::name_refused, false),
              StatusMessage::not_saved);
    EXPECT_EQ(status_after_file_output(FileOutputStep::nothing_to_write, false),
              StatusMessage::nothing_to_save);
}

}  // namespace
}  // namespace tenkari
