#include "app/class_registration.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tenkari {
namespace {

TEST(RegistersWithSmallIcon, OnlyOnTheOldFamilyFromVersionFour) {
    const struct {
        std::uint32_t version_word;
        bool small_icon;
    } cases[] = {
        {0x23F00206u, false},                              // NT family, 6.2: high bit clear
        {0x0A000000u | 10u, false}, {0x80000003u, false},  // old family 3.x
        {0xC0000A04u, true},                               // old family 4.x
        {0xC0005A04u, true},        {0x80000005u, true},  {0x00000004u, false},  // NT 4
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registers_with_small_icon(c.version_word), c.small_icon)
            << std::hex << c.version_word;
    }
}

}  // namespace
}  // namespace tenkari
