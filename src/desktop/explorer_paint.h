// Drawing calls with colours written 0xAARRGGBB and plain coordinates, as the
// page layouts are given.
#pragma once

#include "qoros/qor_graphics.h"

#include <cstdint>

namespace paint {

inline qor_color argb(uint32_t v) {
    return qor_color{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                     static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
}

inline void fill(qor_context* ctx, int x, int y, int w, int h, uint32_t colour) {
    const qor_rect r{x, y, w, h};
    qor_graphics_fill_rect(ctx, &r, argb(colour));
}

inline void outline(qor_context* ctx, int x, int y, int w, int h, uint32_t colour) {
    const qor_rect r{x, y, w, h};
    qor_graphics_draw_rect(ctx, &r, argb(colour));
}

inline void line(qor_context* ctx, int x0, int y0, int x1, int y1, uint32_t colour) {
    qor_graphics_draw_line(ctx, qor_point{x0, y0}, qor_point{x1, y1}, argb(colour));
}

inline void text(qor_context* ctx, const char* s, int x, int y, uint32_t colour, int size) {
    qor_graphics_draw_text(ctx, s, qor_point{x, y}, argb(colour), size);
}

} // namespace paint
