// Checks every rule of form on the embedded annual passages: headings, mark lines, line
// lengths, byte lengths, the single-byte rule, distinctness and the two stage variants.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "reckoning/annual_reading.h"
#include "reckoning/shift_jis.h"
#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::lines_of;
using test::sjis;

const char* const kTenGodHeadings[] = {"実行", "闘争", "表現", "鋭敏", "投資",
                                       "蓄財", "革新", "忍耐", "探究", "学問"};

// The heading of (name stem D, year stem X): 2 * ((e(X) - e(D)) mod 5), plus 1 when their
// polarities differ.
std::string ten_god_heading(int name_stem, int year_stem) {
    const auto element = [](int stem) { return ((stem + 9) % 10) / 2; };
    const int relation = (element(year_stem) - element(name_stem) + 5) % 5;
    const int other_polarity = name_stem % 2 != year_stem % 2 ? 1 : 0;
    return kTenGodHeadings[2 * relation + other_polarity];
}

// First symbol of each cell's mark line, name stem by row, year stem by column; ー for none.
const char* const kMarkGrid[] = {
    "〇△△▲ー〇〇▲△◎", "◎○△〇●●〇●△〇", "◎◎▲〇▲〇〇●●△", "●△〇▲△▲○▲◎ー",  "▲◎△△〇〇△▲●△",
    "●●●▲〇〇△●ー●",  "〇△▲〇△◎△▲▲●",  "▲▲▲●〇◎〇●▲●",  "△▲●〇●〇●●▲〇", "▲▲〇ー〇△●△ー◎",
};

const std::string kMarkSymbols[] = {sjis("○"), sjis("〇"), sjis("◎"),
                                    sjis("△"), sjis("▲"),  sjis("●")};

bool starts_with_mark(const std::string& line) {
    return std::any_of(std::begin(kMarkSymbols), std::end(kMarkSymbols),
                       [&](const std::string& mark) { return line.rfind(mark, 0) == 0; });
}

struct Cell {
    int name_stem;
    int year_stem;
};
bool in(const Cell& cell, std::initializer_list<Cell> cells) {
    return std::any_of(cells.begin(), cells.end(), [&](const Cell& c) {
        return c.name_stem == cell.name_stem && c.year_stem == cell.year_stem;
    });
}

TEST(TenGodPassages, FormOfEveryCell) {
    std::set<std::string> texts;
    std::size_t shortest = SIZE_MAX;
    std::size_t longest = 0;
    for (int d = 0; d < kStemCount; ++d) {
        const std::string marks = sjis(kMarkGrid[d]);
        for (int x = 0; x < kStemCount; ++x) {
            SCOPED_TRACE(testing::Message() << "cell " << d << "-" << x);
            const std::string text(ten_god_passage(d, x));
            ASSERT_FALSE(text.empty());
            texts.insert(text);
            shortest = std::min(shortest, text.size());
            longest = std::max(longest, text.size());
            EXPECT_EQ(test::single_byte_characters(text),
                      std::string(std::count(text.begin(), text.end(), '\n'), '\n'));

            const std::vector<std::string> lines = lines_of(text);
            ASSERT_GE(lines.size(), 3u);
            EXPECT_EQ(lines[0], "");
            EXPECT_EQ(lines[1], sjis(ten_god_heading(d, x)));
            for (const std::string& line : lines) {
                EXPECT_LE(line.size(), 80u);
            }

            const bool no_final_line_feed = in({d, x}, {{0, 6}});
            EXPECT_EQ(text.back() != '\n', no_final_line_feed);

            const std::string mark = marks.substr(2 * static_cast<std::size_t>(x), 2);
            const bool has_mark = mark != sjis("ー");
            const bool two_line_mark = in({d, x}, {{1, 9}, {3, 8}, {8, 1}});
            std::size_t mark_line = 0;
            for (std::size_t i = 2; i < lines.size(); ++i) {
                if (starts_with_mark(lines[i])) {
                    EXPECT_EQ(mark_line, 0u) << "a second mark line";
                    mark_line = i;
                }
            }
            if (!has_mark) {
                EXPECT_EQ(mark_line, 0u);
                continue;
            }
            ASSERT_NE(mark_line, 0u);
            EXPECT_EQ(lines[mark_line].substr(0, 2), mark);
            EXPECT_EQ(mark_line, lines.size() - (two_line_mark ? 2 : 1));
        }
    }
    EXPECT_EQ(texts.size(), 100u);
    EXPECT_EQ(shortest, 92u);
    EXPECT_EQ(longest, 743u);
}

// ○ (U+25CB) closes two cells; every other circle is 〇 (U+3007).
TEST(TenGodPassages, WhiteCircleOnlyInTwoCells) {
    const std::string white_circle = sjis("○");
    for (int d = 0; d < kStemCount; ++d) {
        for (int x = 0; x < kStemCount; ++x) {
            const std::string text(ten_god_passage(d, x));
            bool found = false;
            for (std::size_t i = 0; i + 1 < text.size();) {
                if (text.compare(i, 2, white_circle) == 0) {
                    found = true;
                }
                i += is_sjis_lead_byte(static_cast<unsigned char>(text[i])) ? 2 : 1;
            }
            EXPECT_EQ(found, in({d, x}, {{1, 1}, {3, 6}})) << d << "-" << x;
        }
    }
}

// Stage by cell, written as the grid: name stem by row (癸 甲 乙 … 壬), year branch by column
// (亥 子 丑 … 戌).
const char* const kStageGrid[] = {
    "帝旺 建禄 冠帯 沐浴 長生 養 胎 絶 墓 死 病 衰",
    "長生 沐浴 冠帯 建禄 帝旺 衰 病 死 墓 絶 胎 養",
    "死 病 衰 帝旺 建禄 冠帯 沐浴 長生 養 胎 絶 墓",
    "絶 胎 養 長生 沐浴 冠帯 建禄 帝旺 衰 病 死 墓",
    "胎 絶 墓 死 病 衰 帝旺 建禄 冠帯 沐浴 長生 養",
    "絶 胎 養 長生 沐浴 冠帯 建禄 帝旺 衰 病 死 墓",
    "胎 絶 墓 死 病 衰 帝旺 建禄 冠帯 沐浴 長生 養",
    "病 死 墓 絶 胎 養 長生 沐浴 冠帯 建禄 帝旺 衰",
    "沐浴 長生 養 胎 絶 墓 死 病 衰 帝旺 建禄 冠帯",
    "建禄 帝旺 衰 病 死 墓 絶 胎 養 長生 沐浴 冠帯",
};

struct Stage {
    const char* name;
    std::size_t length;
    int verdict;
};
const Stage kStages[] = {
    {"長生", 594, kGoodYear}, {"沐浴", 552, kAverageYear}, {"冠帯", 408, kGoodYear},
    {"建禄", 235, kGoodYear}, {"帝旺", 396, kGoodYear},    {"衰", 311, kAverageYear},
    {"病", 321, kBadYear},    {"死", 355, kBadYear},       {"墓", 223, kBadYear},
    {"絶", 349, kBadYear},    {"胎", 279, kAverageYear},   {"養", 279, kAverageYear},
};

const Stage& stage_named(const std::string& name) {
    for (const Stage& stage : kStages) {
        if (name == stage.name) {
            return stage;
        }
    }
    throw std::invalid_argument(name);
}

TEST(TwelveStagePassages, EveryCellCarriesItsStage) {
    std::string stage_text[std::size(kStages)];
    for (int d = 0; d < kStemCount; ++d) {
        std::istringstream row(kStageGrid[d]);
        for (int b = 0; b < kBranchCount; ++b) {
            SCOPED_TRACE(testing::Message() << "cell " << d << "-" << b);
            std::string name;
            row >> name;
            const Stage& stage = stage_named(name);
            const TwelveStageEntry entry = twelve_stage_entry(d, b);
            const bool good_exception = d == 5 && b == 8;  // 戊 in a 未 year
            EXPECT_EQ(entry.verdict, good_exception ? kGoodYear : stage.verdict);

            std::string text(entry.passage);
            const std::string heading = "\n" + sjis(stage.name) + "\n";
            ASSERT_EQ(text.rfind(heading, 0), 0u);
            const bool variant = (d == 6 && b == 0) || (d == 2 && b == 1);
            if (variant) {
                // The same text with one more empty line after the heading.
                ASSERT_EQ(text[heading.size()], '\n');
                text.erase(heading.size(), 1);
            }
            EXPECT_EQ(text.size(), stage.length);
            std::string& seen = stage_text[&stage - kStages];
            if (seen.empty()) {
                seen = text;
            }
            EXPECT_EQ(text, seen) << "a stage's cells must carry one text";
        }
    }
    EXPECT_EQ(twelve_stage_entry(6, 0).passage.size(), 280u);
    EXPECT_EQ(twelve_stage_entry(2, 1).passage.size(), 322u);
}

TEST(TwelveStagePassages, FormOfEveryStage) {
    for (int d = 0; d < kStemCount; ++d) {
        for (int b = 0; b < kBranchCount; ++b) {
            const std::string text(twelve_stage_entry(d, b).passage);
            EXPECT_EQ(text.back(), '\n');
            EXPECT_EQ(test::single_byte_characters(text),
                      std::string(std::count(text.begin(), text.end(), '\n'), '\n'));
            for (const std::string& line : lines_of(text)) {
                EXPECT_LE(line.size(), 80u);
                EXPECT_FALSE(starts_with_mark(line)) << "stages have no mark line";
            }
        }
    }
}

}  // namespace
}  // namespace tenkari
