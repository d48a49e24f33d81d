#include "app/acceptance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/file_output.h"
#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

// Records what a press of 実行 shows, in order.
class RecordingView : public InputDialogView {
  public:
    void show_input_error(std::string_view message) override {
        events.push_back("error:" + test::utf8(message));
    }
    void end_dialog() override { events.push_back("end"); }
    void show_annual_reading(const ReadingRecord& record) override {
        events.push_back("reading:" + std::to_string(std::string_view(record.annual_text).size()));
    }
    std::vector<std::string> events;
};

ReadingRecord entered(const std::string& utf8_name, const char* birth, const char* judged) {
    ReadingRecord record;
    store_entries(record, sjis(utf8_name), birth, judged);
    return record;
}

TEST(PressRun, AcceptedInputRunsTheWholeStepInOrder) {
    ReadingRecord record = entered("木林森", "1960", "1999");
    record.input_failed = 1;
    RecordingView view;
    EXPECT_EQ(press_run(record, view), InputVerdict::accepted);
    ASSERT_EQ(view.events.size(), 2u);
    EXPECT_EQ(view.events[0], "end");  // the dialog leaves before the reading is shown
    EXPECT_EQ(view.events[1].rfind("reading:", 0), 0u);
    EXPECT_EQ(record.input_failed, 0);
    EXPECT_EQ(record.has_result, 1);
    EXPECT_EQ(record.write_annual, 1);
    EXPECT_EQ(record.write_hexagram, 0);
    EXPECT_EQ(std::string(record.output_file_name), sjis("木林森1999年.TXT"));
    EXPECT_EQ(record.name_number, 24);
    EXPECT_EQ(record.age_cycle_number, 40);
    EXPECT_EQ(record.year_stem, 2);
    EXPECT_EQ(record.year_branch, 6);
    EXPECT_EQ(std::string(record.annual_text).rfind(sjis("1999年の貴方の運勢です。\n"), 0), 0u);
}

TEST(PressRun, RefusalKeepsTheLastAcceptedReading) {
    ReadingRecord record = entered("木林森", "1960", "1999");
    RecordingView accepted;
    press_run(record, accepted);
    const std::string reading = record.annual_text;

    store_entries(record, sjis("日本"), "1990", "1989");
    RecordingView refused;
    EXPECT_EQ(press_run(record, refused), InputVerdict::bad_year);
    EXPECT_EQ(refused.events, std::vector<std::string>{"error:判定年を確認して下さい"});
    EXPECT_EQ(record.input_failed, 1);
    // The inputs hold the refused entries; everything derived still describes the last reading.
    EXPECT_EQ(std::string(record.name), sjis("日本"));
    EXPECT_EQ(record.birth_year, 1990);
    EXPECT_EQ(record.name_number, 24);
    EXPECT_EQ(std::string(record.annual_text), reading);
    EXPECT_EQ(std::string(record.output_file_name), sjis("木林森1999年.TXT"));
    EXPECT_EQ(record.has_result, 1);

    store_entries(record, sjis("日本"), "0", "1989");
    RecordingView missing;
    EXPECT_EQ(press_run(record, missing), InputVerdict::missing_input);
    EXPECT_EQ(missing.events, std::vector<std::string>{"error:データエラー"});
    // The file output writes nothing while the last press was refused.
    EXPECT_FALSE(write_output_file(record, "never-written.TXT"));
}

TEST(PressRun, FileNamePadsTheYearToFourCharacters) {
    ReadingRecord record = entered("木林森", "700", "800");
    RecordingView view;
    press_run(record, view);
    EXPECT_EQ(std::string(record.output_file_name), sjis("木林森 800年.TXT"));
}

TEST(PressRun, ANameCutTo34BytesIsUsedForNumberAndFileName) {
    ReadingRecord record = entered("驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫", "1960", "1999");
    RecordingView view;
    press_run(record, view);
    EXPECT_EQ(record.name_number, 450);  // 17 characters of 30, folded once
    EXPECT_EQ(std::string(record.output_file_name).size(), 34u + 4u + 6u);
}

TEST(FileOutput, WritesTheMarkedReadingAlone) {
    ReadingRecord record;
    std::strcpy(record.annual_text, "annual");
    std::strcpy(record.hexagram_text, "hexagram");
    record.write_annual = 1;
    EXPECT_EQ(output_file_content(record), "annual");
    record.write_annual = 0;
    record.write_hexagram = 1;
    EXPECT_EQ(output_file_content(record), "hexagram");
}

}  // namespace
}  // namespace tenkari
