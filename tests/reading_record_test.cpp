#include "app/reading_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tenkari {
namespace {

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
    const ReadingRecord zeroed = [] {
        ReadingRecord r;
        std::memset(r.name, 0, sizeof r.name);
        std::memset(r.annual_text, 0, sizeof r.annual_text);
        std::memset(r.hexagram_text, 0, sizeof r.hexagram_text);
        std::memset(r.output_file_name, 0, sizeof r.output_file_name);
        return r;
    }();
    EXPECT_EQ(std::memcmp(record.name, zeroed.name, sizeof record.name), 0);
    EXPECT_EQ(std::memcmp(record.annual_text, zeroed.annual_text, sizeof record.annual_text), 0);
    EXPECT_EQ(std::memcmp(record.hexagram_text, zeroed.hexagram_text, sizeof record.hexagram_text),
              0);
    EXPECT_EQ(record.output_file_name[0], '\0');
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
