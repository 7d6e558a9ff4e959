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

int64_t clamp_start(int64_t v, int64_t limit) {
    return v < 0 ? 0 : std::min(v, limit);
}

} // namespace

pixel_box clip_rect(const qor_context* ctx, const qor_rect& r) {
    const int64_t right = int64_t{r.x} + r.w;
    const int64_t bottom = int64_t{r.y} + r.h;
    return {clamp_start(r.x, ctx->width), clamp_start(r.y, ctx->height),
            clamp_start(right, ctx->width), clamp_start(bottom, ctx->height)};
}

void paint_pixel(const qor_context* ctx, int64_t x, int64_t y, uint32_t color) {
    if (x < 0 || y < 0 || x >= ctx->width || y >= ctx->height) return;
    uint32_t* pixel = pixel_row(ctx, y) + x;
    *pixel = apply_pixel_rule(*pixel, color);
}

void paint_row_span(const qor_context* ctx, int64_t y, int64_t first, int64_t last,
                    uint32_t color) {
    if (y < 0 || y >= ctx->height) return;
    if (first > last) std::swap(first, last);
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, ctx->width - 1);
    if (first > last) return;
    paint_clipped_span(pixel_row(ctx, y) + first, static_cast<size_t>(last - first + 1), color);
}

void paint_box(const qor_context* ctx, const pixel_box& box, uint32_t color) {
    if (box.empty()) return;
    for (int64_t y = box.y0; y < box.y1; ++y) {
        paint_clipped_span(pixel_row(ctx, y) + box.x0, static_cast<size_t>(box.x1 - box.x0), color);
    }
}

} // namespace qor::gfx
