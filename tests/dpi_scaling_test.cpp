#include "app/dpi_scaling.h"

#include <gtest/gtest.h>

namespace tenkari {
namespace {

// The button keeps its 96-DPI place and size at every scaling; a half pixel (125 %, 175 %)
// rounds up, never down, so the button never ends a pixel short of its scaled size.
TEST(FileOutputButtonRect, ScalesThe96DpiPlaceAndSize) {
    const struct {
        int dpi;
        PixelRect rect;
    } cases[] = {
        {96, {450, 300, 100, 32}},  {120, {563, 375, 125, 40}}, {144, {675, 450, 150, 48}},
        {168, {788, 525, 175, 56}}, {192, {900, 600, 200, 64}}, {288, {1350, 900, 300, 96}},
    };
    for (const auto& c : cases) {
        const PixelRect got = file_output_button_rect(c.dpi);
        EXPECT_EQ(got, c.rect) << c.dpi << " DPI: " << got.x << "," << got.y << " " << got.width
                               << "x" << got.height;
    }
}

// Font heights are negative (character height); they must scale by size, not toward +infinity.
// A failed DPI call (0) must not divide by zero nor shrink the window to nothing.
TEST(RescaleForDpi, RoundsHalvesAwayFromZeroAndIgnoresAMissingDpi) {
    const struct {
        int length, from, to, expected;
    } cases[] = {
        {-11, 96, 144, -17}, {11, 96, 144, 17},  {-16, 144, 96, -11}, {-12, 96, 120, -15},
        {450, 96, 0, 450},   {450, 0, 144, 450}, {-11, 96, 96, -11},  {0, 96, 192, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rescale_for_dpi(c.length, c.from, c.to), c.expected)
            << c.length << " from " << c.from << " to " << c.to;
    }
}

}  // namespace
}  // namespace tenkari
