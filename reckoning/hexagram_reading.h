#pragma once

#include <cstdint>
#include <string_view>

#include "app/reading_record.h"

namespace tenkari {

// Trigram codes (Lo Shu numbering): 1 坎, 2 坤, 3 震, 4 巽, 6 乾, 7 兌, 8 艮, 9 離; 0 is none.
inline constexpr int kNoTrigram = 0;

// The trigram of a name number, or of an age cycle number; 0 outside 1..60.
int name_trigram_for(std::int32_t name_number);
int age_trigram_for(std::int32_t age_cycle_number);

// The passage of the hexagram with this lower (name) and upper (age) trigram; empty unless
// both are trigram codes.
std::string_view hexagram_passage_for(int lower_trigram, int upper_trigram);

// What the hexagram command shows. The Win32 shell shows message boxes over the main window;
// tenkari-cli prints.
class HexagramView {
  public:
    virtual ~HexagramView() = default;
    // A number outside the cycle: a box with no caption of its own and an OK button.
    virtual void show_message(std::string_view sjis_message) = 0;
    // The information sound, then the reading in a box captioned "人運判断".
    virtual void show_hexagram_reading(std::string_view sjis_text) = 0;
};

// The hexagram command after its file output button step: switches the file output to the
// hexagram reading, takes the trigrams of the last accepted reading's numbers, copies the
// passage into hexagram_text and shows it. Does nothing while input_failed is set.
void run_hexagram_command(ReadingRecord& record, HexagramView& view);

}  // namespace tenkari
