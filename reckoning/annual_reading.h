#pragma once

#include <string_view>

#include "app/reading_record.h"

namespace tenkari {

inline constexpr int kStemCount = 10;
inline constexpr int kBranchCount = 12;

// Verdicts of a year, set by the twelve-stage choice.
inline constexpr int kNoVerdict = 0;
inline constexpr int kGoodYear = 1;
inline constexpr int kBadYear = 2;
inline constexpr int kAverageYear = 3;

struct TwelveStageEntry {
    std::string_view passage;  // empty outside the table
    int verdict = kNoVerdict;
};

// The ten-god passage of (name stem, year stem); empty when either is outside 0..9.
std::string_view ten_god_passage(int name_stem, int year_stem);

// The twelve-stage passage and verdict of (name stem 0..9, year branch 0..11).
TwelveStageEntry twelve_stage_entry(int name_stem, int year_branch);

// The relation line of (name branch, year branch): six harmony, triple harmony, clash, or empty.
std::string_view relation_line(int name_branch, int year_branch);

// Writes annual_text from judged_year, name_stem, name_branch, year_stem and year_branch:
// heading line, ten-god passage, twelve-stage passage, relation line, verdict banner.
void compose_annual_reading(ReadingRecord& record);

}  // namespace tenkari
