// Pixels, clipped row spans and boxes: the only places primitives write.
#include "graphics/paint.h"

#include "graphics/pixel_rule.h"
#include "graphics/span_kernels.h"

#include <algorithm>

namespace qor::gfx {
namespace {

void paint_clipped_span(uint32_t* dst, size_t n, uint32_t color) {
    const uint32_t alpha = color >> 24;
    if (alpha == 0) return;
    if (alpha == 255) {
        active_span_kernels().fill(dst, n, color);
    } else {
        active_span_kernels().blend_solid(dst, n, color);
    }
}

int64_t clamp(int64_t v, int64_t low, int64_t high) {
    return std::min(std::max(v, low), high);
}

} // namespace

pixel_box clip_rect(const pixel_box& bounds, const qor_rect& r) {
    const int64_t right = int64_t{r.x} + r.w;
    const int64_t bottom = int64_t{r.y} + r.h;
    return {clamp(r.x, bounds.x0, bounds.x1), clamp(r.y, bounds.y0, bounds.y1),
            clamp(right, bounds.x0, bounds.x1), clamp(bottom, bounds.y0, bounds.y1)};
}

void paint_pixel(const qor_context* ctx, int64_t x, int64_t y, uint32_t color) {
    if (x < ctx->clip_left || y < ctx->clip_top || x >= ctx->clip_right || y >= ctx->clip_bottom)
        return;
    uint32_t* pixel = pixel_row(ctx, y) + x;
    *pixel = apply_pixel_rule(*pixel, color);
}

void paint_row_span(const qor_context* ctx, int64_t y, int64_t first, int64_t last,
                    uint32_t color) {
    if (y < ctx->clip_top || y >= ctx->clip_bottom) return;
    if (first > last) std::swap(first, last);
    first = std::max<int64_t>(first, ctx->clip_left);
    last = std::min<int64_t>(last, ctx->clip_right - 1);
    if (first > last) return;
    paint_clipped_span(pixel_row(ctx, y) + first, static_cast<size_t>(last - first + 1), color);
}

void paint_box(const qor_context* ctx, const pixel_box& box, uint32_t color) {
    if (box.empty()) return;
    if (box.x0 == 0 && box.x1 == ctx->width) {
        // Full-width rows follow each other with no gap: one long span.
        paint_clipped_span(pixel_row(ctx, box.y0),
                           static_cast<size_t>((box.y1 - box.y0) * ctx->width), color);
        return;
    }
    for (int64_t y = box.y0; y < box.y1; ++y) {
        paint_clipped_span(pixel_row(ctx, y) + box.x0, static_cast<size_t>(box.x1 - box.x0), color);
    }
}

} // namespace qor::gfx
