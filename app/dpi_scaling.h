#pragma once

namespace tenkari {

// The DPI at which the window's own lengths are given: 100 % display scaling.
inline constexpr int kDesignDpi = 96;

// A rectangle in a parent's client area, in pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A length measured at from_dpi, as many pixels at to_dpi. A half pixel rounds away from zero,
// as the platform's MulDiv does, so a negative font height scales like its positive. A DPI of 0
// (a DPI call that failed) leaves the length as it is.
constexpr int rescale_for_dpi(int length, int from_dpi, int to_dpi) {
    if (from_dpi <= 0 || to_dpi <= 0) {
        return length;
    }
    const long long product = static_cast<long long>(length) * to_dpi;
    const long long half = from_dpi / 2;
    const long long scaled =
        product >= 0 ? (product + half) / from_dpi : -((-product + half) / from_dpi);
    return static_cast<int>(scaled);
}

// The file output button's place and size in the main window's client area at dpi: (450, 300)
// and 100 x 32 at 96 DPI, each scaled on its own.
constexpr PixelRect file_output_button_rect(int dpi) {
    return {rescale_for_dpi(450, kDesignDpi, dpi), rescale_for_dpi(300, kDesignDpi, dpi),
            rescale_for_dpi(100, kDesignDpi, dpi), rescale_for_dpi(32, kDesignDpi, dpi)};
}

}  // namespace tenkari
