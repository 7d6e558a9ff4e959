// The pixel rule every primitive and the text path share: alpha 255 writes,
// alpha 0 leaves the pixel alone, anything between blends each colour
// channel with a truncating division by 255. Stored alpha is always 255.
#pragma once

#include <qoros/qor_graphics.h>

#include <bit>
#include <cstdint>

namespace qor::gfx {

static_assert(std::endian::native == std::endian::little,
              "pixels are handled as little-endian 32-bit words (blue in the lowest byte)");

inline constexpr uint32_t kOpaqueAlpha = 0xFF000000u;

inline uint32_t color_word(qor_color c) {
    return uint32_t{c.b} | uint32_t{c.g} << 8 | uint32_t{c.r} << 16 | uint32_t{c.a} << 24;
}

inline uint32_t blend_channel(uint32_t src, uint32_t old, uint32_t alpha) {
    return (src * alpha + old * (255 - alpha)) / 255;
}

// One pixel under the rule; `color` carries its own alpha in the top byte.
inline uint32_t apply_pixel_rule(uint32_t old, uint32_t color) {
    const uint32_t alpha = color >> 24;
    if (alpha == 0) return old;
    if (alpha == 255) return color;
    uint32_t out = kOpaqueAlpha;
    for (int shift = 0; shift < 24; shift += 8) {
        out |= blend_channel((color >> shift) & 0xFF, (old >> shift) & 0xFF, alpha) << shift;
    }
    return out;
}

} // namespace qor::gfx
