// Two-colour gradients across the part of a rectangle inside the framebuffer;
// a clip box limits which of those pixels are painted, not their colours.
#include "graphics/paint.h"
#include "graphics/pixel_rule.h"
#include "graphics/span_kernels.h"

#include <algorithm>
#include <cstring>

namespace {

using qor::gfx::pixel_box;

// Channel k of step i of n: from + (i * (to - from)) / n, truncating toward zero.
uint32_t interpolate(uint32_t from, uint32_t to, int64_t i, int64_t n) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int64_t a = (from >> shift) & 0xFF;
        const int64_t b = (to >> shift) & 0xFF;
        out |= static_cast<uint32_t>(a + i * (b - a) / n) << shift;
    }
    return out;
}

// `extent` is the rectangle's part inside the framebuffer, across which the
// colours run; `painted` is the part of it inside the clip box.
void vertical(const qor_context* ctx, const pixel_box& extent, const pixel_box& painted,
              uint32_t from, uint32_t to) {
    const int64_t n = extent.y1 - extent.y0;
    for (int64_t y = painted.y0; y < painted.y1; ++y) {
        qor::gfx::paint_box(ctx, {painted.x0, y, painted.x1, y + 1},
                            interpolate(from, to, y - extent.y0, n));
    }
}

// The colours of one row are computed a chunk at a time into a stack buffer
// and then laid on every row, so the arithmetic is paid once per column.
void horizontal(const qor_context* ctx, const pixel_box& extent, const pixel_box& painted,
                uint32_t from, uint32_t to) {
    constexpr int64_t kChunk = 512;
    uint32_t colors[kChunk];
    const int64_t n = extent.x1 - extent.x0;
    const int64_t skipped = painted.x0 - extent.x0;
    const int64_t width = painted.x1 - painted.x0;
    const bool opaque = (from >> 24) == 255 && (to >> 24) == 255;
    const auto& kernels = qor::gfx::active_span_kernels();
    for (int64_t start = 0; start < width; start += kChunk) {
        const int64_t count = std::min(kChunk, width - start);
        for (int64_t i = 0; i < count; ++i)
            colors[i] = interpolate(from, to, skipped + start + i, n);
        for (int64_t y = painted.y0; y < painted.y1; ++y) {
            uint32_t* dst = qor::gfx::pixel_row(ctx, y) + painted.x0 + start;
            if (opaque) {
                std::memcpy(dst, colors, static_cast<size_t>(count) * sizeof(uint32_t));
            } else {
                kernels.blend_colors(dst, static_cast<size_t>(count), colors);
            }
        }
    }
}

} // namespace

extern "C" int qor_graphics_gradient_fill(qor_context* ctx, const qor_rect* r, qor_color from,
                                          qor_color to, bool vertical_direction) {
    if (!qor::gfx::context_usable(ctx)) return QOR_ERR_GRAPHICS;
    if (!r) return QOR_ERR_INVALID_ARG;
    const pixel_box extent = qor::gfx::clip_rect({0, 0, ctx->width, ctx->height}, *r);
    const pixel_box painted = qor::gfx::clip_rect(qor::gfx::visible_box(ctx), *r);
    if (painted.empty()) return QOR_OK;
    const uint32_t a = qor::gfx::color_word(from), b = qor::gfx::color_word(to);
    if (vertical_direction) {
        vertical(ctx, extent, painted, a, b);
    } else {
        horizontal(ctx, extent, painted, a, b);
    }
    return QOR_OK;
}
