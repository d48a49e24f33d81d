// Checks every rule of form on the embedded hexagram passages.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "reckoning/hexagram_reading.h"
#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::lines_of;
using test::sjis;

const int kCodes[] = {1, 2, 3, 4, 6, 7, 8, 9};

// Hexagram names by lower (name) trigram, row, and upper (age) trigram, column, in code order.
const char* const kNames[8][8] = {
    {"坎為水", "地水師", "雷水解", "風水渙", "天水訟", "沢水困", "山水蒙", "火水未済"},
    {"水地比", "坤為地", "雷地豫", "風地観", "天地否", "沢地萃", "山地剥", "火地晋"},
    {"水雷屯", "地雷復", "震為雷", "風雷益", "天雷無妄", "沢雷随", "山雷頤",
     "火雷ﾛ巫ﾛ蓋(ぜいごう)"},
    {"水風井", "地風升", "雷風恒", "巽為風", "天風こう", "沢風大過", "山風こ", "火風鼎"},
    {"水天需", "地天泰", "雷天大壮", "風天小畜", "乾為天", "沢天かい", "山天大蓄", "火天大有"},
    {"水沢節", "地沢臨", "雷沢帰妹", "風沢中孚", "天沢履", "兌為沢", "山沢損", "火沢けい"},
    {"水山蹇", "地山謙", "雷山小過", "風山漸", "天山とん", "沢山かん", "ごん為山", "火山旅"},
    {"水火既済", "地火明夷", "雷火豊", "風火家人", "天火同人", "沢火革", "山火賁", "離為火"},
};

const std::set<std::string> kAdvised = {"坎為水", "地水師",   "雷水解",   "山水蒙",   "坤為地",
                                        "風地観", "水雷屯",   "震為雷",   "山風こ",   "火風鼎",
                                        "水天需", "火天大有", "水山蹇",   "雷山小過", "ごん為山",
                                        "火山旅", "雷火豊",   "風火家人", "山火賁",   "離為火"};
const std::set<std::string> kWithoutFinalLineFeed = {"火風鼎", "風天小畜", "山沢損"};

TEST(HexagramPassages, FormOfEveryCell) {
    std::set<std::string> texts;
    std::map<std::size_t, int> body_line_counts;
    std::map<std::string, std::size_t> lengths;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const std::string name = kNames[row][column];
            SCOPED_TRACE(name);
            const std::string text(hexagram_passage_for(kCodes[row], kCodes[column]));
            ASSERT_FALSE(text.empty());
            texts.insert(text);
            lengths[name] = text.size();
            EXPECT_GE(text.size(), 33u);
            EXPECT_LE(text.size(), 131u);
            EXPECT_EQ(text.back() != '\n', kWithoutFinalLineFeed.count(name) == 1);

            const std::vector<std::string> lines = lines_of(text);
            ASSERT_GE(lines.size(), 3u);
            EXPECT_EQ(lines[0], "");
            EXPECT_EQ(lines[1], sjis("易卦：" + name));
            EXPECT_LE(lines[1].size(), 26u);
            ++body_line_counts[lines.size() - 2];

            const bool advised = kAdvised.count(name) == 1;
            std::string singles;
            for (std::size_t i = 2; i < lines.size(); ++i) {
                const std::string& line = lines[i];
                EXPECT_LE(line.size(), 56u);
                const bool advice = !line.empty() && line.front() == '(' && line.back() == ')';
                EXPECT_EQ(advice, advised && i + 1 == lines.size()) << "line " << i;
                singles += test::single_byte_characters(line);
            }
            EXPECT_EQ(singles, advised ? "()" : "") << "only advice parentheses are single-byte";
        }
    }
    EXPECT_EQ(texts.size(), 64u);
    EXPECT_EQ(body_line_counts, (std::map<std::size_t, int>{{1, 3}, {2, 44}, {3, 16}, {4, 1}}));
    EXPECT_EQ(lengths["沢火革"], 33u);
    EXPECT_EQ(lengths["地火明夷"], 131u);
    EXPECT_EQ(
        std::count_if(lengths.begin(), lengths.end(),
                      [](const auto& entry) { return entry.second == 33 || entry.second == 131; }),
        2);
}

// The one heading with single-byte characters: two half-width ﾛ (0xDB) and ASCII parentheses.
TEST(HexagramPassages, HeadingWithHalfWidthCharacters) {
    const std::string heading = lines_of(hexagram_passage_for(3, 9))[1];
    EXPECT_EQ(test::single_byte_characters(heading), "\xDB\xDB()");
    EXPECT_EQ(heading.size(), 26u);
}

}  // namespace
}  // namespace tenkari
