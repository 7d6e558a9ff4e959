// Clipped painting shared by the primitives. Coordinates are 64-bit so that
// sums such as x + w - 1 of any two 32-bit values are exact; nothing outside
// the context's clip box (the whole framebuffer unless narrowed) is written.
#pragma once

#include <qoros/qor_graphics.h>

#include <cstdint>

namespace qor::gfx {

inline bool context_usable(const qor_context* ctx) {
    return ctx && ctx->valid && ctx->framebuffer && ctx->width > 0 && ctx->height > 0;
}

inline uint32_t* pixel_row(const qor_context* ctx, int64_t y) {
    return reinterpret_cast<uint32_t*>(ctx->framebuffer + y * ctx->pitch);
}

// Columns x0 .. x1-1 of rows y0 .. y1-1, already inside the framebuffer.
struct pixel_box {
    int64_t x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

// The box drawing may touch: the clip rectangle, always inside the framebuffer.
inline pixel_box visible_box(const qor_context* ctx) {
    return {ctx->clip_left, ctx->clip_top, ctx->clip_right, ctx->clip_bottom};
}

// The part of the rectangle covering columns x .. x+w-1 and rows y .. y+h-1
// that lies inside `bounds`.
pixel_box clip_rect(const pixel_box& bounds, const qor_rect& r);
inline pixel_box clip_rect(const qor_context* ctx, const qor_rect& r) {
    return clip_rect(visible_box(ctx), r);
}

// `color` is a colour word (pixel_rule.h) with its own alpha.
void paint_pixel(const qor_context* ctx, int64_t x, int64_t y, uint32_t color);
// Columns `first` .. `last` of row y, in either order, each painted once.
void paint_row_span(const qor_context* ctx, int64_t y, int64_t first, int64_t last, uint32_t color);
void paint_box(const qor_context* ctx, const pixel_box& box, uint32_t color);

// The line walk from (x0, y0) to (x1, y1), both ends included; only the part
// inside the clip box is visited, with exactly the pixels of the full walk.
void paint_line(const qor_context* ctx, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                uint32_t color);

} // namespace qor::gfx
