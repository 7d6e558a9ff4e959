// Expected pixel values worked out from the drawing rules: the wallpaper
// gradient and the blend of a translucent colour over a pixel.
#pragma once

#include <cstdint>

namespace qor::test {

inline uint32_t channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

// Row r of the vertical wallpaper gradient 0xFF3C1E0A -> 0xFF5A3214 over 600 rows.
inline uint32_t wallpaper(int row) {
    const uint32_t from = 0xFF3C1E0A, to = 0xFF5A3214;
    uint32_t pixel = 0xFF000000;
    for (int shift : {0, 8, 16}) {
        const int start = static_cast<int>(channel(from, shift));
        const int delta = static_cast<int>(channel(to, shift)) - start;
        pixel |= static_cast<uint32_t>(start + row * delta / 600) << shift;
    }
    return pixel;
}

// A colour with alpha 1..254 painted once over an opaque pixel.
inline uint32_t blend(uint32_t color, uint32_t below) {
    const uint32_t a = color >> 24;
    uint32_t pixel = 0xFF000000;
    for (int shift : {0, 8, 16}) {
        const uint32_t mixed =
            (channel(color, shift) * a + channel(below, shift) * (255 - a)) / 255;
        pixel |= mixed << shift;
    }
    return pixel;
}

} // namespace qor::test
