#include "reckoning/hexagram_reading.h"

#include <array>
#include <cstring>

#include "embedded_data.h"
#include "reckoning/data_keys.h"
#include "reckoning/fixed_texts.h"
#include "reckoning/output_file_name.h"

namespace tenkari {
namespace {

// Trigram code to its row or column in the hexagram table; -1 for 0, 5 and anything else.
constexpr int trigram_slot(int code) {
    constexpr std::array<int, 10> kSlots = {-1, 0, 1, 2, 3, -1, 4, 5, 6, 7};
    return code >= 0 && code <= 9 ? kSlots[code] : -1;
}

constexpr auto kHexagramPassages = [] {
    std::array<std::array<std::string_view, 8>, 8> table{};
    for (const auto& file : embedded::hexagram) {
        const int lower = trigram_slot(key_number(file.stem, 0));
        const int upper = trigram_slot(key_number(file.stem, 1));
        table.at(lower).at(upper) = file.bytes;
    }
    return table;
}();

static_assert(longest_bytes(embedded::hexagram) < kHexagramTextCapacity,
              "hexagram_text must hold every passage");

// The count 9 - ((n + 1) mod 9) runs 7 6 5 4 3 2 1 9 8 from n = 1. Where it would give 5 the
// tables hold other codes, and at 4 and 39 the name and age tables differ.
constexpr int trigram_by_count(std::int32_t n) {
    return 9 - (n + 1) % 9;
}

struct Exception {
    std::int32_t n;
    int name_code;
    int age_code;
};
constexpr std::array<Exception, 8> kExceptions = {{
    {3, 4, 4},
    {4, 3, 4},
    {12, 1, 1},
    {21, 7, 7},
    {30, 9, 9},
    {39, 4, 3},
    {48, 1, 1},
    {57, 7, 7},
}};

int trigram_for(std::int32_t n, bool for_name) {
    if (n < 1 || n > 60) {
        return kNoTrigram;
    }
    for (const Exception& exception : kExceptions) {
        if (exception.n == n) {
            return for_name ? exception.name_code : exception.age_code;
        }
    }
    return trigram_by_count(n);
}

}  // namespace

int name_trigram_for(std::int32_t name_number) {
    return trigram_for(name_number, true);
}

int age_trigram_for(std::int32_t age_cycle_number) {
    return trigram_for(age_cycle_number, false);
}

std::string_view hexagram_passage_for(int lower_trigram, int upper_trigram) {
    const int lower = trigram_slot(lower_trigram);
    const int upper = trigram_slot(upper_trigram);
    if (lower < 0 || upper < 0) {
        return {};
    }
    return kHexagramPassages[lower][upper];
}

void run_hexagram_command(ReadingRecord& record, HexagramView& view) {
    if (record.input_failed != 0) {
        return;
    }
    // An empty file name means no reading has been accepted yet: nothing to switch over.
    if (record.output_file_name[0] != '\0') {
        compose_output_file_name(record, fixed_texts::hexagram_file_suffix());
        record.has_result = 1;
        record.write_hexagram = 1;
        record.write_annual = 0;
    }
    // A number outside the cycle keeps the trigram of the previous command.
    if (const int code = name_trigram_for(record.name_number); code != kNoTrigram) {
        record.name_trigram = code;
    } else {
        view.show_message(fixed_texts::name_out_of_range_message());
    }
    if (const int code = age_trigram_for(record.age_cycle_number); code != kNoTrigram) {
        record.age_trigram = code;
    } else {
        view.show_message(fixed_texts::age_out_of_range_message());
    }
    const std::string_view passage = hexagram_passage_for(record.name_trigram, record.age_trigram);
    if (!passage.empty()) {
        std::memcpy(record.hexagram_text, passage.data(), passage.size());
        record.hexagram_text[passage.size()] = '\0';
    }
    if (record.hexagram_text[0] != '\0') {
        view.show_hexagram_reading(field_text(record.hexagram_text));
    }
}

}  // namespace tenkari
