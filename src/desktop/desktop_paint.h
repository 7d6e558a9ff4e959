// Short drawing helpers for the desktop: every shape and text of the desktop
// goes into the one desktop context g_main_ctx, with colours written as
// 0xAARRGGBB numbers.
#pragma once

#include <cstdint>

#include <qoros/qor_graphics.h>

namespace qor::desktop {

constexpr uint32_t kWhite = 0xFFFFFFFF;

inline qor_color argb(uint32_t value) {
    return qor_color{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                     static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

void paint_fill(int x, int y, int w, int h, uint32_t color);
void paint_outline(int x, int y, int w, int h, uint32_t color);
void paint_line(int x0, int y0, int x1, int y1, uint32_t color);
void paint_disc(int cx, int cy, int radius, uint32_t color);
void paint_triangle(qor_point a, qor_point b, qor_point c, uint32_t color);
void paint_vertical_gradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom);
void paint_text(const char* text, int x, int y, uint32_t color, int size);

} // namespace qor::desktop
