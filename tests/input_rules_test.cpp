#include "app/input_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

TEST(ReadYearEntry, ReadsAsTheDialogDoes) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"1999", 1999},
        {"  1999", 1999},
        {"\t42", 42},
        {"-5", -5},
        {"0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        // Anything but blanks, a minus and digits reads as 0.
        {"", 0},
        {"   ", 0},
        {"-", 0},
        {"abc", 0},
        {"19a9", 0},
        {"1999 ", 0},
        {"+5", 0},
        {"--5", 0},
        {"１９９９", 0},  // full-width digits
        // Outside the signed 32-bit range.
        {"2147483648", 0},
        {"-2147483649", 0},
        {"99999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read_year_entry(c.text), c.value) << '"' << c.text << '"';
    }
}

// The prefill must read back as the year it shows: a negative year shown in its unsigned form
// would read as out of range, that is as 0, at the next press of 実行.
TEST(YearEntryText, ReadsBackAsTheSameYear) {
    const struct {
        std::int32_t year;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1999, "1999"},
        {-5, "-5"},
        {2147483647, "2147483647"},
        {-2147483647 - 1, "-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(year_entry_text(c.year), c.text);
        EXPECT_EQ(read_year_entry(year_entry_text(c.year)), c.year) << c.text;
    }
}

TEST(ValidateInputs, AcceptsAndRefuses) {
    const std::string name = sjis("木林森");
    const struct {
        std::string name;
        std::int32_t birth;
        std::int32_t judged;
        InputVerdict verdict;
    } cases[] = {
        {name, 1960, 1999, InputVerdict::accepted},
        {name, 1960, 1960, InputVerdict::accepted},  // counted age 1
        {name, 2000, 2100, InputVerdict::accepted},
        {name, 2100, 2100, InputVerdict::accepted},
        {name, -5, 3, InputVerdict::accepted},
        {name, 700, 800, InputVerdict::accepted},
        {"", 1960, 1999, InputVerdict::missing_input},
        {name, 0, 1999, InputVerdict::missing_input},
        {name, 1960, 0, InputVerdict::missing_input},
        {"", 0, 0, InputVerdict::missing_input},
        {name, 1960, 2101, InputVerdict::bad_year},
        {name, 1990, 1989, InputVerdict::bad_year},
        // A counted age above 120 has no year pillar within the cycle's two rounds.
        {name, 1880, 1999, InputVerdict::accepted},  // counted age 120
        {name, 1879, 1999, InputVerdict::bad_year},  // counted age 121
        {name, -2147483647 - 1, 2100, InputVerdict::bad_year},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validate_inputs(c.name, c.birth, c.judged), c.verdict)
            << c.birth << ".." << c.judged;
    }
}

TEST(ValidateInputs, MessagesAreTheDialogsOwn) {
    EXPECT_EQ(verdict_message(InputVerdict::missing_input), sjis("データエラー"));
    EXPECT_EQ(verdict_message(InputVerdict::bad_year), sjis("判定年を確認して下さい"));
    EXPECT_TRUE(verdict_message(InputVerdict::accepted).empty());
}

TEST(CutNameEntry, KeepsAtMost34BytesAndNoHalfCharacter) {
    const std::string kanji17 = sjis("一二三四五六七八九十百千万木林森日");
    ASSERT_EQ(kanji17.size(), 34u);
    const struct {
        const char* what;
        std::string entry;
        std::string kept;
    } cases[] = {
        {"17 double-byte characters fit", kanji17, kanji17},
        {"the 18th is cut", kanji17 + sjis("本"), kanji17},
        {"a lead byte at byte 34 goes with its trail", "a" + kanji17, "a" + kanji17.substr(0, 32)},
        {"single bytes are cut at 34", std::string(40, 'x'), std::string(34, 'x')},
        {"short names are kept whole", sjis("木林森"), sjis("木林森")},
        // A lead byte ending the entry would leave the name ending in half a character, and
        // the stroke walk and the file name would take it as one.
        {"a lead byte ending the entry is dropped", sjis("木") + "\x88", sjis("木")},
        {"a lone lead byte leaves no name", "\x88", ""},
        {"a lead byte at byte 34 ending the entry", std::string(33, 'x') + "\xE0",
         std::string(33, 'x')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cut_name_entry(c.entry), c.kept) << c.what;
    }
}

TEST(StoreEntries, KeepsWhatTheDialogRead) {
    ReadingRecord record;
    record.name_number = 24;
    store_entries(record, sjis("木林森") + std::string(40, 'x'), " 1960", "abc");
    EXPECT_EQ(std::string(record.name), sjis("木林森") + std::string(28, 'x'));
    EXPECT_EQ(record.birth_year, 1960);
    EXPECT_EQ(record.judged_year, 0);
    EXPECT_EQ(record.name_number, 24);  // derived fields wait for an accepted press

    store_entries(record, sjis("日本"), "1", "2");
    EXPECT_EQ(std::string(record.name), sjis("日本"));  // no bytes of the longer name remain

    store_entries(record, sjis("木林") + "\x96", "1", "2");
    EXPECT_EQ(std::string(record.name), sjis("木林"));  // nor half of a character
}

}  // namespace
}  // namespace tenkari
