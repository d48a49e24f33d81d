#include "reckoning/name_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

TEST(NameNumber, EachComputationStartsAgainFromZero) {
    ReadingRecord record = record_named(sjis("木林森"));
    std::memset(record.name, 0, sizeof record.name);
    std::memcpy(record.name, sjis("日本").data(), 4);
    compute_name_number(record);
    EXPECT_EQ(record.name_number, 9);
}

}  // namespace
}  // namespace tenkari
