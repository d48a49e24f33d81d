#include "reckoning/annual_reading.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "reckoning/fixed_texts.h"
#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

std::string compose(std::int32_t year, int name_stem, int name_branch, int year_stem,
                    int year_branch) {
    ReadingRecord record;
    record.judged_year = year;
    record.name_stem = name_stem;
    record.name_branch = name_branch;
    record.year_stem = year_stem;
    record.year_branch = year_branch;
    compose_annual_reading(record);
    return record.annual_text;
}

std::string heading_line(std::int32_t year) {
    return std::to_string(year) + sjis("年の貴方の運勢です。\n");
}

const std::string kSix = sjis("\n◎喜びが大きいものです。\n");
const std::string kTriple = sjis("\n○何かの助けがあり、目上の引き立てを受けます。\n");
const std::string kClash = sjis("\n★是非や争いが多い年です。\n");
const std::string kGood = sjis("\n　　　　　　　　　　　　　　　☆☆☆今年は吉年です☆☆☆\n");
const std::string kBad = sjis("\n　　　　　　　　　　　　　　　★★★今年は凶年です★★★\n");
const std::string kAverage = sjis("\n　　　　　　　　　　　　　　　－－－今年は平年です－－－\n");

std::string stage_text(int name_stem, int year_branch) {
    return std::string(twelve_stage_entry(name_stem, year_branch).passage);
}

bool has_heading(std::string_view passage, const char* utf8_heading) {
    return passage.rfind("\n" + sjis(utf8_heading) + "\n", 0) == 0;
}

TEST(FixedTexts, AreTheSystemsOwnBytes) {
    EXPECT_EQ(fixed_texts::six_harmony_line(), kSix);
    EXPECT_EQ(fixed_texts::triple_harmony_line(), kTriple);
    EXPECT_EQ(fixed_texts::clash_line(), kClash);
    EXPECT_EQ(fixed_texts::verdict_banner(1), kGood);
    EXPECT_EQ(fixed_texts::verdict_banner(2), kBad);
    EXPECT_EQ(fixed_texts::verdict_banner(3), kAverage);
    EXPECT_TRUE(fixed_texts::verdict_banner(0).empty());
    EXPECT_TRUE(fixed_texts::verdict_banner(4).empty());
    EXPECT_EQ(kTriple.substr(1, 2), "\x81\x9B");    // ○ U+25CB
    EXPECT_EQ(kAverage.substr(31, 2), "\x81\x7C");  // － U+FF0D
    EXPECT_EQ(kGood.size(), 58u);
}

// The road of one reading: 丁 against 乙巳 with name branch 亥.
TEST(ComposeAnnualReading, PiecesInOrder) {
    const std::string expected =
        heading_line(1999) + std::string(ten_god_passage(4, 2)) + stage_text(4, 6) + kClash + kGood;
    EXPECT_EQ(compose(1999, 4, 0, 2, 6), expected);
    EXPECT_TRUE(has_heading(ten_god_passage(4, 2), "探究"));
    EXPECT_TRUE(has_heading(stage_text(4, 6), "帝旺"));
}

TEST(ComposeAnnualReading, EdgeCells) {
    const struct {
        const char* what;
        int name_stem, name_branch, year_stem, year_branch;
        const char* ten_god;
        const char* stage;
        std::string relation;
        std::string banner;
    } cases[] = {
        {"甲子 against 乙丑", 1, 1, 2, 2, "闘争", "冠帯", kSix, kGood},
        {"甲子 against 甲子: equal branches", 1, 1, 1, 1, "実行", "沐浴", "", kAverage},
        {"甲 in a 亥 year", 1, 1, 1, 0, "実行", "長生", "", kGood},
        {"甲 in a 巳 year", 1, 1, 1, 6, "実行", "病", "", kBad},
        {"戊 in a 未 year: 衰 yet good", 5, 0, 5, 8, "実行", "衰", kTriple, kGood},
        {"丙 in a 未 year: 衰 and average", 3, 0, 5, 8, "表現", "衰", kTriple, kAverage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text =
            compose(2001, c.name_stem, c.name_branch, c.year_stem, c.year_branch);
        EXPECT_TRUE(has_heading(ten_god_passage(c.name_stem, c.year_stem), c.ten_god));
        EXPECT_TRUE(has_heading(stage_text(c.name_stem, c.year_branch), c.stage));
        EXPECT_EQ(text, heading_line(2001) +
                            std::string(ten_god_passage(c.name_stem, c.year_stem)) +
                            stage_text(c.name_stem, c.year_branch) + c.relation + c.banner);
    }
    EXPECT_EQ(stage_text(5, 8), stage_text(3, 8));
}

// The 辰 and 申 rows depart from the usual harmonies and clashes; the grid is what shows.
TEST(RelationLine, RowsOfDragonAndMonkey) {
    const struct {
        int name_branch;
        int year_branch;
        std::string line;
    } cases[] = {
        {5, 6, kClash},  {5, 11, ""},     {5, 10, kSix},  {5, 1, kTriple}, {5, 9, kTriple},
        {9, 0, kTriple}, {9, 4, kTriple}, {9, 2, kClash}, {9, 6, kSix},    {9, 1, ""},
        {9, 5, ""},      {9, 3, ""},      {0, 6, kClash}, {0, 3, kSix},    {7, 7, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(relation_line(c.name_branch, c.year_branch), c.line)
            << c.name_branch << " " << c.year_branch;
    }
}

// Every other row follows the rule: six harmony where the branches add to 3 (mod 12), triple
// harmony four or eight ahead, clash six ahead, nothing else.
TEST(RelationLine, OtherRowsFollowTheRule) {
    for (int n = 0; n < kBranchCount; ++n) {
        if (n == 5 || n == 9) {
            continue;
        }
        for (int y = 0; y < kBranchCount; ++y) {
            const int ahead = (y - n + 12) % 12;
            std::string expected;
            if ((n + y) % 12 == 3) {
                expected = kSix;
            } else if (ahead == 4 || ahead == 8) {
                expected = kTriple;
            } else if (ahead == 6) {
                expected = kClash;
            }
            EXPECT_EQ(relation_line(n, y), expected) << n << " " << y;
        }
    }
}

TEST(ComposeAnnualReading, PassageWithoutFinalLineFeedJoinsTheStage) {
    const std::string text = compose(2001, 0, 0, 6, 0);
    const std::string_view ten_god = ten_god_passage(0, 6);
    ASSERT_NE(ten_god.back(), '\n');
    // The stage passage's own leading line feed ends the mark line: no empty line between.
    EXPECT_NE(text.find(std::string(ten_god) + "\n" + sjis("帝旺") + "\n"), std::string::npos);
}

TEST(ComposeAnnualReading, ASecondShorterReadingLeavesNothingOfTheFirst) {
    ReadingRecord record;
    record.judged_year = -2147483647 - 1;  // the longest heading line
    record.name_stem = 1;
    record.year_stem = 9;
    compose_annual_reading(record);
    const std::size_t first_length = std::strlen(record.annual_text);
    record.judged_year = 1;
    record.name_stem = 9;
    record.year_stem = 8;
    record.name_branch = record.year_branch = 3;
    compose_annual_reading(record);
    const std::string second = record.annual_text;
    EXPECT_LT(second.size(), first_length);
    EXPECT_EQ(second,
              heading_line(1) + std::string(ten_god_passage(9, 8)) + stage_text(9, 3) + kBad);
    EXPECT_EQ(second.rfind("-2147483648", 0), std::string::npos);
}

TEST(ComposeAnnualReading, IndicesOutOfRangeSelectNothing) {
    EXPECT_TRUE(ten_god_passage(10, 0).empty());
    EXPECT_TRUE(ten_god_passage(0, -1).empty());
    EXPECT_TRUE(twelve_stage_entry(-1, 0).passage.empty());
    EXPECT_EQ(twelve_stage_entry(0, 12).verdict, kNoVerdict);
    EXPECT_TRUE(relation_line(12, 0).empty());
    // A stage left out leaves the verdict at none: no banner either.
    EXPECT_EQ(compose(1999, 4, 0, 2, 40), heading_line(1999) + std::string(ten_god_passage(4, 2)));
    EXPECT_EQ(compose(1999, 99, 0, 99, 99), heading_line(1999));
}

}  // namespace
}  // namespace tenkari
