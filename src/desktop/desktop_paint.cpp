// The desktop's drawing helpers: each forwards one shape or text to the
// graphics library in the one desktop context.
#include "desktop/desktop_paint.h"

#include "desktop/desktop_render.h"

namespace qor::desktop {

void paint_fill(int x, int y, int w, int h, uint32_t color) {
    const qor_rect rect{x, y, w, h};
    qor_graphics_fill_rect(g_main_ctx, &rect, argb(color));
}

void paint_outline(int x, int y, int w, int h, uint32_t color) {
    const qor_rect rect{x, y, w, h};
    qor_graphics_draw_rect(g_main_ctx, &rect, argb(color));
}

void paint_line(int x0, int y0, int x1, int y1, uint32_t color) {
    qor_graphics_draw_line(g_main_ctx, qor_point{x0, y0}, qor_point{x1, y1}, argb(color));
}

void paint_disc(int cx, int cy, int radius, uint32_t color) {
    qor_graphics_fill_circle(g_main_ctx, qor_point{cx, cy}, radius, argb(color));
}

void paint_triangle(qor_point a, qor_point b, qor_point c, uint32_t color) {
    qor_graphics_fill_triangle(g_main_ctx, a, b, c, argb(color));
}

void paint_vertical_gradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
    const qor_rect rect{x, y, w, h};
    qor_graphics_gradient_fill(g_main_ctx, &rect, argb(top), argb(bottom), true);
}

void paint_text(const char* text, int x, int y, uint32_t color, int size) {
    qor_graphics_draw_text(g_main_ctx, text, qor_point{x, y}, argb(color), size);
}

} // namespace qor::desktop
