#include "app/reading_record.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tenkari {
namespace {

template <std::size_t N>
bool all_zero(const char (&buffer)[N]) {
    return std::all_of(buffer, buffer + N, [](char c) { return c == '\0'; });
}

// A fresh record is what the program starts with: empty texts, zero numbers, all flags 0
// and 男 selected.
TEST(ReadingRecord, StartsEmptyWithMaleSelected) {
    const ReadingRecord record;
    EXPECT_EQ(record.is_male, 1);
    for (const std::int32_t field :
         {record.birth_year, record.judged_year, record.input_failed, record.has_result,
          record.write_annual, record.write_hexagram, record.name_number, record.name_stem,
          record.name_branch, record.counted_age, record.age_cycle_number, record.year_stem,
          record.year_branch, record.name_trigram, record.age_trigram}) {
        EXPECT_EQ(field, 0);
    }
    EXPECT_TRUE(all_zero(record.name));
    EXPECT_TRUE(all_zero(record.annual_text));
    EXPECT_TRUE(all_zero(record.hexagram_text));
    EXPECT_TRUE(all_zero(record.output_file_name));
}

TEST(ReadingRecord, CapacitiesHoldTheLongestTexts) {
    const ReadingRecord record;
    EXPECT_EQ(sizeof record.name, 35u);           // 34 bytes of name and the NUL
    EXPECT_EQ(sizeof record.annual_text, 4096u);  // the longest reading takes 1,476
    EXPECT_GE(sizeof record.hexagram_text, 132u);
    // 34 bytes of name, an eleven-character year, "年易卦.TXT" (10 bytes) and the NUL.
    EXPECT_GE(sizeof record.output_file_name, 34u + 11u + 10u + 1u);
}

TEST(ReadingRecord, OneInstanceForTheRun) {
    EXPECT_EQ(&the_reading_record(), &the_reading_record());
}

}  // namespace
}  // namespace tenkari
