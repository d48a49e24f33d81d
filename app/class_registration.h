#pragma once

#include <cstdint>

namespace tenkari {

// Chooses, from the platform version word, whether the window class is registered with the
// extended call and its 16 x 16 small icon: only on the old Windows family (high bit set) from
// major version 4 on. The NT family (high bit clear) and older versions register without it.
constexpr bool registers_with_small_icon(std::uint32_t version_word) {
    const bool old_family = (version_word & 0x80000000u) != 0;
    const std::uint32_t major_version = version_word & 0xFFu;
    return old_family && major_version >= 4;
}

}  // namespace tenkari
