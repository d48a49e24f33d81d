#include "reckoning/stroke_table.h"

#include <array>

#include "embedded_data.h"

namespace tenkari {
namespace {

static_assert(embedded::stroke_classes.size() == kStrokeClassCount);

constexpr std::uint16_t code_at(const char* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) << 8 |
                                      static_cast<unsigned char>(p[1]));
}

constexpr std::array<std::uint8_t, 65536> build_index() {
    std::array<std::uint8_t, 65536> index{};
    // Filling from class 30 down lets a lower class win, as the search from class 1 up does.
    for (int k = kStrokeClassCount; k >= 1; --k) {
        for (const char* p = embedded::stroke_classes[k - 1]; p[0] != '\0' && p[1] != '\0';
             p += 2) {
            index[code_at(p)] = static_cast<std::uint8_t>(k);
        }
    }
    return index;
}

}  // namespace

constinit const std::array<std::uint8_t, 65536> kStrokeIndex = build_index();

const char* stroke_class(int k) {
    if (k < 1 || k > kStrokeClassCount) {
        return nullptr;
    }
    return embedded::stroke_classes[k - 1];
}

int stroke_count_by_search(std::uint16_t code) {
    for (int k = 1; k <= kStrokeClassCount; ++k) {
        // Whole characters only: a pair straddling two characters of a class never matches.
        for (const char* p = stroke_class(k); p[0] != '\0' && p[1] != '\0'; p += 2) {
            if (code_at(p) == code) {
                return k;
            }
        }
    }
    return 0;
}

}  // namespace tenkari
