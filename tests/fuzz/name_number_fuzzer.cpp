// The name number and the stroke lookup on arbitrary 35-byte name buffers, terminated or not,
// against a slow walk written here: stroke classes searched one by one from class 1, each
// character by character; the name taken in byte pairs by position.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "reckoning/name_number.h"
#include "reckoning/stroke_table.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tenkari;

int search_classes(std::uint16_t code) {
    for (int k = 1; k <= kStrokeClassCount; ++k) {
        const char* characters = stroke_class(k);
        const std::size_t length = std::strlen(characters);
        for (std::size_t i = 0; i + 1 < length; i += 2) {
            const unsigned found = static_cast<unsigned char>(characters[i]) << 8 |
                                   static_cast<unsigned char>(characters[i + 1]);
            if (found == code) {
                return k;
            }
        }
    }
    return 0;
}

// The slow search answers each code once; later runs reuse its answer.
int reference_strokes(std::uint16_t code) {
    static std::array<std::int8_t, 65536> known = [] {
        std::array<std::int8_t, 65536> unknown;
        unknown.fill(-1);
        return unknown;
    }();
    if (known[code] < 0) {
        known[code] = static_cast<std::int8_t>(search_classes(code));
    }
    return known[code];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes are a code for the lookup alone; up to 35 more fill the name buffer,
    // the rest of which stays NUL. The buffer is an allocation of its own, so that ASan stops
    // any read past its 35 bytes.
    const auto code = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
    FUZZ_CHECK(stroke_count(code) == reference_strokes(code));
    data += 2;
    size -= 2;
    const std::size_t filled = size < kNameCapacity ? size : kNameCapacity;
    auto storage = std::make_unique<char[]>(kNameCapacity);
    std::memcpy(storage.get(), data, filled);
    const auto& name = *reinterpret_cast<const char(*)[kNameCapacity]>(storage.get());

    std::int32_t sum = 0;
    int pairs = 0;
    std::size_t character_start = 0;
    const NameWalk walk = walk_name(name);
    for (std::size_t i = 0; i < kNameCapacity && name[i] != '\0'; i += 2) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const unsigned char trail = i + 1 < kNameCapacity ? name[i + 1] : 0;
        const auto pair_code = static_cast<std::uint16_t>(lead << 8 | trail);
        const int strokes = reference_strokes(pair_code);
        FUZZ_CHECK(trail != 0 || strokes == 0);
        while (character_start < i) {
            const bool double_byte = fuzz::is_lead_byte(name[character_start]) &&
                                     character_start + 1 < kNameCapacity &&
                                     name[character_start + 1] != '\0';
            character_start += double_byte ? 2 : 1;
        }
        FUZZ_CHECK(pairs < walk.pair_count);
        const NamePair& pair = walk.pairs[static_cast<std::size_t>(pairs)];
        FUZZ_CHECK(pair.offset == static_cast<int>(i));
        FUZZ_CHECK(pair.code == pair_code);
        FUZZ_CHECK(pair.strokes == strokes);
        FUZZ_CHECK(pair.whole_character ==
                   (character_start == i && fuzz::is_lead_byte(lead) && trail != 0));
        sum += strokes;
        ++pairs;
        if (trail == 0) {
            break;
        }
    }
    FUZZ_CHECK(walk.pair_count == pairs);
    FUZZ_CHECK(walk.stroke_sum == sum);

    // The record's own name is followed by other fields: their bytes, here those of 亜亜, must
    // not enter the sum.
    auto record = std::make_unique<ReadingRecord>();
    std::memcpy(record->name, name, kNameCapacity);
    const std::uint8_t beyond[4] = {0x88, 0x9F, 0x88, 0x9F};
    std::memcpy(&record->birth_year, beyond, sizeof beyond);
    compute_name_number(*record);
    const std::int32_t folded = sum > 60 ? sum - 60 : sum;
    FUZZ_CHECK(record->name_number == folded);
    FUZZ_CHECK(record->name_stem == folded % 10);
    FUZZ_CHECK(record->name_branch == folded % 12);
    FUZZ_CHECK(folded >= 0 && folded <= 450);
    return 0;
}
