#include "reckoning/hexagram_reading.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

// The trigram tables follow the count 9 - ((n + 1) mod 9) but where it gives 5, and the name
// table holds 3 at 4; so they differ at 4 and 39 only.
TEST(TrigramTables, RuleAndExceptions) {
    const std::map<int, std::pair<int, int>> exceptions = {
        {3, {4, 4}},  {4, {3, 4}},  {12, {1, 1}}, {21, {7, 7}},
        {30, {9, 9}}, {39, {4, 3}}, {48, {1, 1}}, {57, {7, 7}},
    };
    for (int n = 1; n <= 60; ++n) {
        const auto exception = exceptions.find(n);
        const int by_count = 9 - (n + 1) % 9;
        EXPECT_EQ(name_trigram_for(n),
                  exception != exceptions.end() ? exception->second.first : by_count)
            << n;
        EXPECT_EQ(age_trigram_for(n),
                  exception != exceptions.end() ? exception->second.second : by_count)
            << n;
    }
}

TEST(TrigramTables, HowOftenEachCodeOccurs) {
    std::map<int, int> name_counts;
    std::map<int, int> age_counts;
    for (int n = 1; n <= 60; ++n) {
        ++name_counts[name_trigram_for(n)];
        ++age_counts[age_trigram_for(n)];
    }
    const std::map<int, int> expected = {{1, 8}, {2, 7}, {3, 8}, {4, 8},
                                         {6, 7}, {7, 9}, {8, 6}, {9, 7}};
    EXPECT_EQ(name_counts, expected);
    EXPECT_EQ(age_counts, expected);
}

TEST(TrigramTables, NothingOutsideTheCycle) {
    for (const std::int32_t n : {-2147483647 - 1, -1, 0, 61, 90, 450, 2147483647}) {
        EXPECT_EQ(name_trigram_for(n), 0) << n;
        EXPECT_EQ(age_trigram_for(n), 0) << n;
    }
}

TEST(HexagramPassageFor, NoneUnlessBothAreTrigramCodes) {
    for (const int bad : {-1, 0, 5, 10, 100}) {
        EXPECT_TRUE(hexagram_passage_for(bad, 1).empty()) << bad;
        EXPECT_TRUE(hexagram_passage_for(1, bad).empty()) << bad;
    }
    EXPECT_FALSE(hexagram_passage_for(9, 9).empty());
}

class RecordingView : public HexagramView {
  public:
    void show_message(std::string_view message) override {
        events.push_back("message:" + test::utf8(message));
    }
    void show_hexagram_reading(std::string_view text) override {
        events.push_back("reading:" + test::utf8(heading_of(text)));
    }
    static std::string heading_of(std::string_view text) {
        const std::size_t end = text.find('\n', 1);
        return std::string(text.substr(1, end - 1));
    }
    std::vector<std::string> events;
};

const std::string kNameMessage = "message:姓名をもう一度確認して下さい。\n";
const std::string kAgeMessage = "message:判断年をもう一度確認して下さい。\n";

// As the acceptance step leaves it for a name, a judged year and two numbers.
ReadingRecord accepted(const char* utf8_name, std::int32_t judged_year, std::int32_t name_number,
                       std::int32_t age_cycle_number) {
    ReadingRecord record;
    const std::string name = sjis(utf8_name);
    std::memcpy(record.name, name.data(), name.size());
    record.judged_year = judged_year;
    record.name_number = name_number;
    record.age_cycle_number = age_cycle_number;
    const std::string file_name = name + std::to_string(judged_year) + sjis("年.TXT");
    std::memcpy(record.output_file_name, file_name.data(), file_name.size());
    record.has_result = 1;
    record.write_annual = 1;
    return record;
}

TEST(RunHexagramCommand, TheRoadOfOneReading) {
    ReadingRecord record = accepted("木林森", 1999, 24, 40);
    RecordingView view;
    run_hexagram_command(record, view);
    EXPECT_EQ(view.events, std::vector<std::string>{"reading:易卦：風地観"});
    EXPECT_EQ(record.name_trigram, 2);
    EXPECT_EQ(record.age_trigram, 4);
    EXPECT_EQ(std::string(record.hexagram_text), std::string(hexagram_passage_for(2, 4)));
    EXPECT_EQ(std::string(record.output_file_name), sjis("木林森1999年易卦.TXT"));
    EXPECT_EQ(record.has_result, 1);
    EXPECT_EQ(record.write_hexagram, 1);
    EXPECT_EQ(record.write_annual, 0);
}

TEST(RunHexagramCommand, WhereTheTwoTablesDiffer) {
    const struct {
        int number;
        const char* heading;
    } cases[] = {{1, "易卦：兌為沢"}, {4, "易卦：風雷益"}, {39, "易卦：雷風恒"}};
    for (const auto& c : cases) {
        ReadingRecord record = accepted("日本", 2001, c.number, c.number);
        RecordingView view;
        run_hexagram_command(record, view);
        EXPECT_EQ(view.events, std::vector<std::string>{std::string("reading:") + c.heading});
    }
}

TEST(RunHexagramCommand, BeforeAnyReading) {
    ReadingRecord record;
    RecordingView view;
    run_hexagram_command(record, view);
    EXPECT_EQ(view.events, (std::vector<std::string>{kNameMessage, kAgeMessage}));
    EXPECT_EQ(record.hexagram_text[0], '\0');
    EXPECT_EQ(record.output_file_name[0], '\0');
    EXPECT_EQ(record.has_result, 0);
    EXPECT_EQ(record.write_hexagram, 0);
    EXPECT_EQ(record.write_annual, 0);
}

TEST(RunHexagramCommand, NumberOutOfRangeKeepsThePreviousTrigram) {
    ReadingRecord record = accepted("木林森", 1999, 24, 40);
    RecordingView first;
    run_hexagram_command(record, first);

    record.name_number = 90;      // a name whose sum stays above 60 after the fold
    record.age_cycle_number = 1;  // 兌
    RecordingView name_out;
    run_hexagram_command(record, name_out);
    EXPECT_EQ(name_out.events, (std::vector<std::string>{kNameMessage, "reading:易卦：沢地萃"}));
    EXPECT_EQ(record.name_trigram, 2);

    record.name_number = 1;        // 兌
    record.age_cycle_number = 61;  // a counted age above 120
    RecordingView age_out;
    run_hexagram_command(record, age_out);
    EXPECT_EQ(age_out.events, (std::vector<std::string>{kAgeMessage, "reading:易卦：兌為沢"}));
}

TEST(RunHexagramCommand, NothingWhileTheLastPressWasRefused) {
    ReadingRecord record = accepted("木林森", 1999, 24, 40);
    RecordingView first;
    run_hexagram_command(record, first);
    const std::string name_before = record.output_file_name;
    record.input_failed = 1;
    record.name_number = 1;
    record.write_annual = 1;
    record.write_hexagram = 0;
    RecordingView view;
    run_hexagram_command(record, view);
    EXPECT_TRUE(view.events.empty());
    EXPECT_EQ(record.name_trigram, 2);
    EXPECT_EQ(record.write_annual, 1);
    EXPECT_EQ(std::string(record.output_file_name), name_before);
}

TEST(RunHexagramCommand, ASecondCommandShowsTheSameAndANewReadingReplacesIt) {
    ReadingRecord record = accepted("木林森", 1999, 24, 40);
    RecordingView view;
    run_hexagram_command(record, view);
    run_hexagram_command(record, view);
    EXPECT_EQ(view.events,
              (std::vector<std::string>{"reading:易卦：風地観", "reading:易卦：風地観"}));
    EXPECT_EQ(std::string(record.output_file_name), sjis("木林森1999年易卦.TXT"));

    // 火風鼎 (lower 4, upper 9) has no final line feed; 沢火革 (9, 7) is the shortest passage.
    record.name_number = 3;
    record.age_cycle_number = 8;
    run_hexagram_command(record, view);
    EXPECT_EQ(std::string(record.hexagram_text), std::string(hexagram_passage_for(4, 9)));
    record.name_number = 8;
    record.age_cycle_number = 1;
    run_hexagram_command(record, view);
    EXPECT_EQ(std::string(record.hexagram_text), std::string(hexagram_passage_for(9, 7)));
}

TEST(RunHexagramCommand, YearBelowAThousandIsPadded) {
    ReadingRecord record = accepted("木林森", 800, 24, 40);
    RecordingView view;
    run_hexagram_command(record, view);
    EXPECT_EQ(std::string(record.output_file_name), sjis("木林森 800年易卦.TXT"));
}

}  // namespace
}  // namespace tenkari
