#include "reckoning/name_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

ReadingRecord record_named(const std::string& name_bytes) {
    ReadingRecord record;
    std::memcpy(record.name, name_bytes.data(), std::min(name_bytes.size(), sizeof record.name));
    compute_name_number(record);
    return record;
}

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

struct NameCase {
    const char* what;
    std::string name;  // Shift-JIS bytes
    int number;
    int stem;
    int branch;
};

TEST(NameNumber, SumsFoldsAndIndexes) {
    const NameCase cases[] = {
        {"the road of one reading", sjis("木林森"), 24, 4, 0},
        {"two characters", sjis("日本"), 9, 9, 9},
        {"61 folds to 1", sjis("鬱驫二"), 1, 1, 1},
        {"120 folds to 60", sjis("驫驫驫驫"), 60, 0, 0},
        {"150 folds once only", sjis("驫驫驫驫驫"), 90, 0, 6},
        {"510, the largest sum, folds to 450", repeated(sjis("驫"), 17), 450, 0, 6},
        {"full-width digits count nothing", sjis("１２"), 0, 0, 0},
        {"a full-width space counts nothing", sjis("木　林"), 12, 2, 0},
        {"characters outside the table", sjis("凜熙Ｕ"), 0, 0, 0},
        {"lower-case u, iteration mark, long vowel", sjis("ｕ々ー"), 6, 6, 6},
        {"empty name", "", 0, 0, 0},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadingRecord record = record_named(c.name);
        EXPECT_EQ(record.name_number, c.number);
        EXPECT_EQ(record.name_stem, c.stem);
        EXPECT_EQ(record.name_branch, c.branch);
    }
}

// Bytes are paired by position: a single-byte character shifts every pair after it.
TEST(NameNumber, PairsGoByPositionNotByCharacter) {
    const NameCase cases[] = {
        {"space between: (木) (space, lead of 林) (trail of 林, end)", sjis("木 林"), 4, 4, 4},
        {"two letters pair with each other", "ab" + sjis("木林"), 12, 2, 0},
        {"one letter: (a, lead of 木) (trail of 木, end)", "a" + sjis("木"), 0, 0, 0},
        {"one letter before 亜亜 pairs 0x9F88, which is 汕", "a" + sjis("亜亜"), 6, 6, 6},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(record_named(c.name).name_number, c.number);
    }
}

TEST(NameNumber, WalkEndsAtTheTerminator) {
    ReadingRecord record;
    const std::string bytes = sjis("木") + std::string(1, '\0') + sjis("林森");
    std::memcpy(record.name, bytes.data(), bytes.size());
    compute_name_number(record);
    EXPECT_EQ(record.name_number, 4);
}

// Whatever the buffer holds, even with no terminator at all, the walk stays inside it and the
// sum cannot exceed 17 pairs of the largest class.
TEST(NameNumber, AnyBytesStayInsideTheBuffer) {
    for (const unsigned char fill : {0x01, 0x81, 0x88, 0xE0, 0xFC, 0xFF}) {
        ReadingRecord record;
        std::memset(record.name, fill, sizeof record.name);
        compute_name_number(record);
        EXPECT_GE(record.name_number, 0);
        EXPECT_LE(record.name_number, 450);
    }
    ReadingRecord full;
    const std::string seventeen = repeated(sjis("驫"), 17) + "\xE9";  // 35th byte, no NUL
    std::memcpy(full.name, seventeen.data(), sizeof full.name);
    compute_name_number(full);
    EXPECT_EQ(full.name_number, 450);
}

struct ExpectedPair {
    int offset;
    std::uint16_t code;
    int strokes;
    bool whole_character;
};

struct WalkCase {
    const char* what;
    std::string name;  // Shift-JIS bytes
    std::vector<ExpectedPair> pairs;
};

NameWalk walk_of(const std::string& name_bytes) {
    ReadingRecord record;
    std::memcpy(record.name, name_bytes.data(), std::min(name_bytes.size(), sizeof record.name));
    return walk_name(record.name);
}

// The walk reports every pair it counts: where it starts, its code, its strokes, and whether it
// is one character of the name or straddles two.
TEST(NameWalk, ReportsEachPair) {
    // 木 0x96D8, 林 0x97D1, 森 0x9058, 亜 0x889F.
    const WalkCase cases[] = {
        {"whole characters",
         sjis("木林森"),
         {{0, 0x96D8, 4, true}, {2, 0x97D1, 8, true}, {4, 0x9058, 12, true}}},
        {"a single-byte space shifts the pairs after it",
         sjis("木 林"),
         {{0, 0x96D8, 4, true}, {2, 0x2097, 0, false}, {4, 0xD100, 0, false}}},
        {"two letters pair with each other",
         "ab" + sjis("木"),
         {{0, 0x6162, 0, false}, {2, 0x96D8, 4, true}}},
        {"a straddling pair that is the code of 汕",
         "a" + sjis("亜亜"),
         {{0, 0x6188, 0, false}, {2, 0x9F88, 6, false}, {4, 0x9F00, 0, false}}},
        {"a lone single-byte letter pairs with the terminator", "a", {{0, 0x6100, 0, false}}},
        {"the walk ends at the terminator",
         sjis("木") + std::string(1, '\0') + sjis("林"),
         {{0, 0x96D8, 4, true}}},
        {"empty name", "", {}},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.what);
        const NameWalk walk = walk_of(c.name);
        ASSERT_EQ(walk.pair_count, static_cast<int>(c.pairs.size()));
        int sum = 0;
        for (std::size_t i = 0; i < c.pairs.size(); ++i) {
            SCOPED_TRACE(i);
            const NamePair& pair = walk.pairs[i];
            EXPECT_EQ(pair.offset, c.pairs[i].offset);
            EXPECT_EQ(pair.code, c.pairs[i].code);
            EXPECT_EQ(pair.strokes, c.pairs[i].strokes);
            EXPECT_EQ(pair.whole_character, c.pairs[i].whole_character);
            sum += c.pairs[i].strokes;
        }
        EXPECT_EQ(walk.stroke_sum, sum);
    }
}

// A full buffer with no terminator: 17 whole characters, then its last byte paired with the
// end of the buffer.
TEST(NameWalk, FullBufferGivesEighteenPairs) {
    const NameWalk walk = walk_of(repeated(sjis("驫"), 17) + "\xE9");
    ASSERT_EQ(walk.pair_count, kMaxNamePairs);
    EXPECT_EQ(walk.stroke_sum, 510);
    EXPECT_TRUE(walk.pairs[16].whole_character);
    EXPECT_EQ(walk.pairs[17].offset, 34);
    EXPECT_EQ(walk.pairs[17].code, 0xE900);
    EXPECT_FALSE(walk.pairs[17].whole_character);
}

TEST(NameNumber, EachComputationStartsAgainFromZero) {
    ReadingRecord record = record_named(sjis("木林森"));
    std::memset(record.name, 0, sizeof record.name);
    std::memcpy(record.name, sjis("日本").data(), 4);
    compute_name_number(record);
    EXPECT_EQ(record.name_number, 9);
}

}  // namespace
}  // namespace tenkari
