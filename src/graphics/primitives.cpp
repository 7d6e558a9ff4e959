// Clear, points, lines, rectangles and triangle outlines.
#include "graphics/paint.h"
#include "graphics/pixel_rule.h"

using qor::gfx::color_word;
using qor::gfx::context_usable;
using qor::gfx::paint_line;

extern "C" int qor_graphics_clear(qor_context* ctx, qor_color c) {
    if (!context_usable(ctx)) return QOR_ERR_GRAPHICS;
    qor::gfx::paint_box(ctx, qor::gfx::visible_box(ctx), color_word(c));
    return QOR_OK;
}

extern "C" int qor_graphics_draw_point(qor_context* ctx, qor_point p, qor_color c) {
    if (!context_usable(ctx)) return QOR_ERR_GRAPHICS;
    qor::gfx::paint_pixel(ctx, p.x, p.y, color_word(c));
    return QOR_OK;
}

extern "C" int qor_graphics_draw_line(qor_context* ctx, qor_point from, qor_point to, qor_color c) {
    if (!context_usable(ctx)) return QOR_ERR_GRAPHICS;
    paint_line(ctx, from.x, from.y, to.x, to.y, color_word(c));
    return QOR_OK;
}

extern "C" int qor_graphics_draw_rect(qor_context* ctx, const qor_rect* r, qor_color c) {
    if (!context_usable(ctx)) return QOR_ERR_GRAPHICS;
    if (!r) return QOR_ERR_INVALID_ARG;
    const uint32_t color = color_word(c);
    const int64_t left = r->x, top = r->y;
    const int64_t right = left + r->w - 1, bottom = top + r->h - 1;
    // Four separate lines: each corner is visited by the two lines meeting there.
    paint_line(ctx, left, top, right, top, color);
    paint_line(ctx, right, top, right, bottom, color);
    paint_line(ctx, right, bottom, left, bottom, color);
    paint_line(ctx, left, bottom, left, top, color);
    return QOR_OK;
}

extern "C" int qor_graphics_fill_rect(qor_context* ctx, const qor_rect* r, qor_color c) {
    if (!context_usable(ctx)) return QOR_ERR_GRAPHICS;
    if (!r) return QOR_ERR_INVALID_ARG;
    qor::gfx::paint_box(ctx, qor::gfx::clip_rect(ctx, *r), color_word(c));
    return QOR_OK;
}

extern "C" int qor_graphics_draw_triangle(qor_context* ctx, qor_point p0, qor_point p1,
                                          qor_point p2, qor_color c) {
    if (!context_usable(ctx)) return QOR_ERR_GRAPHICS;
    const uint32_t color = color_word(c);
    paint_line(ctx, p0.x, p0.y, p1.x, p1.y, color);
    paint_line(ctx, p1.x, p1.y, p2.x, p2.y, color);
    paint_line(ctx, p2.x, p2.y, p0.x, p0.y, color);
    return QOR_OK;
}
