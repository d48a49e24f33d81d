#pragma once

#include <cstdint>

namespace tenkari {

// Remainder in 0..divisor-1 for any sign of n (C++'s % keeps the sign of n).
constexpr std::int64_t floor_mod(std::int64_t n, std::int64_t divisor) {
    const std::int64_t r = n % divisor;
    return r < 0 ? r + divisor : r;
}

// A count is brought into the sixty-step cycle by subtracting 60 once when it is above 60,
// so counts above 120 stay above 60.
constexpr std::int64_t fold_into_cycle(std::int64_t n) {
    return n > 60 ? n - 60 : n;
}

// Stem index 1..9 names 甲..壬 and 0 names 癸; branch index 1..11 names 子..戌 and 0 names 亥.
constexpr std::int32_t stem_index_of(std::int64_t n) {
    return static_cast<std::int32_t>(floor_mod(n, 10));
}
constexpr std::int32_t branch_index_of(std::int64_t n) {
    return static_cast<std::int32_t>(floor_mod(n, 12));
}

}  // namespace tenkari
