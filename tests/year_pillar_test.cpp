#include "reckoning/year_pillar.h"

#include <gtest/gtest.h>

#include <limits>

namespace tenkari {
namespace {

struct PillarRow {
    int age_cycle_number;
    YearPillar forward;
    YearPillar backward;
};

// Rows of the two pillar tables, including both wraps and the two rows where they meet.
const PillarRow kRows[] = {
    {1, {3, 3}, {9, 9}},  {2, {4, 4}, {8, 8}},   {4, {6, 6}, {6, 6}},   {7, {9, 9}, {3, 3}},
    {8, {0, 10}, {2, 2}}, {9, {1, 11}, {1, 1}},  {10, {2, 0}, {0, 0}},  {11, {3, 1}, {9, 11}},
    {22, {4, 0}, {8, 0}}, {34, {6, 0}, {6, 0}},  {40, {2, 6}, {0, 6}},  {57, {9, 11}, {3, 1}},
    {58, {0, 0}, {2, 0}}, {59, {1, 1}, {1, 11}}, {60, {2, 2}, {0, 10}},
};

TEST(YearPillar, TableRows) {
    for (const PillarRow& row : kRows) {
        SCOPED_TRACE(row.age_cycle_number);
        const YearPillar forward = year_pillar_for(row.age_cycle_number, true);
        const YearPillar backward = year_pillar_for(row.age_cycle_number, false);
        EXPECT_EQ(forward.stem, row.forward.stem);
        EXPECT_EQ(forward.branch, row.forward.branch);
        EXPECT_EQ(backward.stem, row.backward.stem);
        EXPECT_EQ(backward.branch, row.backward.branch);
    }
}

// The two directions meet only at 己巳 (4) and 己亥 (34); every pillar occurs once a round.
TEST(YearPillar, DirectionsMeetOnlyAtFourAndThirtyFour) {
    bool seen_forward[10][12] = {};
    bool seen_backward[10][12] = {};
    for (int n = 1; n <= 60; ++n) {
        const YearPillar f = year_pillar_for(n, true);
        const YearPillar b = year_pillar_for(n, false);
        EXPECT_EQ(f.stem == b.stem && f.branch == b.branch, n == 4 || n == 34) << n;
        EXPECT_FALSE(seen_forward[f.stem][f.branch]) << n;
        EXPECT_FALSE(seen_backward[b.stem][b.branch]) << n;
        seen_forward[f.stem][f.branch] = seen_backward[b.stem][b.branch] = true;
    }
}

struct AgeCase {
    std::int32_t birth_year;
    std::int32_t judged_year;
    std::int32_t is_male;
    std::int32_t counted_age;
    std::int32_t age_cycle_number;
    std::int32_t year_stem;
    std::int32_t year_branch;
};

const AgeCase kAgeCases[] = {
    {1960, 1960, 1, 1, 1, 3, 3},    {1960, 1960, 0, 1, 1, 9, 9},
    {1960, 1968, 1, 9, 9, 1, 11},   {1960, 1968, 0, 9, 9, 1, 1},
    {1960, 1969, 0, 10, 10, 0, 0},  {1960, 1969, 1, 10, 10, 2, 0},
    {1960, 1999, 1, 40, 40, 2, 6},  // the road of one reading: 乙巳
    {1960, 2019, 1, 60, 60, 2, 2},  {1960, 2019, 0, 60, 60, 0, 10},
    {1960, 2020, 1, 61, 1, 3, 3},  // the fold starts the cycle again
    {1900, 2019, 1, 120, 60, 2, 2}, {1950, 1980, 0, 31, 31, 9, 3},
    {1990, 2020, 0, 31, 31, 9, 3},  // the same age gives the same pillar
    {1960, 1960, 2, 1, 1, 9, 9},    // only exactly 1 counts as male
    {1, 1, 0, 1, 1, 9, 9},
};

TEST(YearPillar, FromYearsAndSex) {
    for (const AgeCase& c : kAgeCases) {
        SCOPED_TRACE(testing::Message()
                     << c.birth_year << ".." << c.judged_year << " male " << c.is_male);
        ReadingRecord record;
        record.birth_year = c.birth_year;
        record.judged_year = c.judged_year;
        record.is_male = c.is_male;
        compute_year_pillar(record);
        EXPECT_EQ(record.counted_age, c.counted_age);
        EXPECT_EQ(record.age_cycle_number, c.age_cycle_number);
        EXPECT_EQ(record.year_stem, c.year_stem);
        EXPECT_EQ(record.year_branch, c.year_branch);
    }
}

// Years the input rules would refuse still give indices in range and overflow nothing.
TEST(YearPillar, AnyYearsStayInRange) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t years[] = {kMin, kMin + 1, -1, 0, 1, 121, 2100, kMax - 1, kMax};
    for (const std::int32_t birth : years) {
        for (const std::int32_t judged : years) {
            for (const std::int32_t male : {0, 1}) {
                ReadingRecord record;
                record.birth_year = birth;
                record.judged_year = judged;
                record.is_male = male;
                compute_year_pillar(record);
                EXPECT_TRUE(record.year_stem >= 0 && record.year_stem <= 9)
                    << birth << " " << judged;
                EXPECT_TRUE(record.year_branch >= 0 && record.year_branch <= 11)
                    << birth << " " << judged;
            }
        }
    }
    ReadingRecord widest;
    widest.birth_year = kMin;
    widest.judged_year = kMax;
    compute_year_pillar(widest);
    EXPECT_EQ(widest.counted_age, kMax);  // held at the largest 32-bit value
}

TEST(YearPillar, CountedAgeAbove120StaysAboveTheCycle) {
    ReadingRecord record;
    record.birth_year = 1878;
    record.judged_year = 1998;  // counted age 121
    compute_year_pillar(record);
    EXPECT_EQ(record.counted_age, 121);
    EXPECT_EQ(record.age_cycle_number, 61);
    EXPECT_EQ(record.year_stem, 3);  // the rule carries on round the cycle: 丙寅 again
    EXPECT_EQ(record.year_branch, 3);
}

}  // namespace
}  // namespace tenkari
