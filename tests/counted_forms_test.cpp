#include "reckoning/counted_forms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "embedded_data.h"
#include "reckoning/stroke_table.h"
#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

std::uint16_t code_of(std::string_view two_bytes) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(two_bytes[0]) << 8 |
                                      static_cast<unsigned char>(two_bytes[1]));
}

// A row that names a character the table counts, or a form it does not, would send the user
// from one uncounted form to another.
TEST(CountedForms, EachRowPairsAnUncountedCharacterWithACountedForm) {
    int rows = 0;
    for (const std::string& line : test::lines_of(embedded::counted_forms)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        ++rows;
        ASSERT_GE(line.size(), 6u) << test::utf8(line);
        EXPECT_EQ(line[4], '\t') << test::utf8(line);
        EXPECT_EQ(stroke_count(code_of(line.substr(0, 2))), 0) << test::utf8(line);
        EXPECT_GT(stroke_count(code_of(line.substr(2, 2))), 0) << test::utf8(line);
        EXPECT_EQ(counted_form(code_of(line.substr(0, 2))), line.substr(2, 2));
    }
    EXPECT_GT(rows, 0);
}

// The characters the status bar and tenkari-cli name: whole characters that count 0, once
// each, with the counted form where there is one; pairs that straddle characters are not
// characters of the name.
TEST(UncountedCharacters, NamesEachWholeCharacterCountedZeroOnce) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> found;
    } cases[] = {
        {"木林森", {}},
        {"髙橋", {{"髙", "高"}}},
        {"山﨑凜", {{"﨑", "崎"}, {"凜", "凛"}}},
        {"草彅", {{"彅", ""}}},
        {"髙髙", {{"髙", "高"}}},
        {"山　田", {{"　", ""}}},
        {"a髙", {}},  // after a single-byte character the pairs straddle characters
    };
    for (const auto& c : cases) {
        ReadingRecord record;
        const std::string name = sjis(c.name);
        std::memcpy(record.name, name.data(), name.size());
        std::vector<UncountedCharacter> expected;
        for (const auto& [character, form] : c.found) {
            expected.push_back({sjis(character), sjis(form)});
        }
        EXPECT_EQ(uncounted_characters(record.name), expected) << c.name;
    }
}

}  // namespace
}  // namespace tenkari
