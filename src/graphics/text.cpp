// UTF-8 text: converted to UTF-16 and drawn one code unit at a time. Line
// feed starts a new line; a unit without a bitmap advances the pen by the
// face's average width; glyph coverage blends by (v * 255) >> 6 whatever the
// colour's own alpha is.
#include "graphics/glyph_cache.h"
#include "graphics/paint.h"
#include "graphics/pixel_rule.h"
#include "graphics/span_kernels.h"
#include "graphics/utf16.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace {

using qor::gfx::cached_glyph;

constexpr int kDefaultSize = 12;

// Blends one glyph box at (left, top), clipped pixel row by pixel row.
void blit_glyph(const qor_context* ctx, const cached_glyph& glyph, int64_t left, int64_t top,
                uint32_t color) {
    const int64_t first_row = std::max<int64_t>(0, ctx->clip_top - top);
    const int64_t last_row = std::min<int64_t>(glyph.height, ctx->clip_bottom - top);
    const int64_t first_col = std::max<int64_t>(0, ctx->clip_left - left);
    const int64_t last_col = std::min<int64_t>(glyph.width, ctx->clip_right - left);
    if (first_row >= last_row || first_col >= last_col) return;
    const auto& kernels = qor::gfx::active_span_kernels();
    for (int64_t j = first_row; j < last_row; ++j) {
        kernels.blend_coverage(qor::gfx::pixel_row(ctx, top + j) + left + first_col,
                               static_cast<size_t>(last_col - first_col), color,
                               glyph.alpha.data() + j * glyph.width + first_col);
    }
}

struct text_layout {
    int size;
    int64_t ascent;
    int64_t average_width;
    int64_t line_advance;
};

// The pen's walk over the units: calls draw(glyph, left, top) for every unit
// with a bitmap and returns the widest line's advance.
template <typename GlyphAction>
int64_t walk_glyphs(const uint16_t* units, size_t count, qor_point pos, const text_layout& layout,
                    GlyphAction draw) {
    int64_t pen_x = pos.x;
    int64_t line_top = pos.y;
    int64_t widest = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint16_t unit = units[i];
        if (unit == u'\n') {
            widest = std::max(widest, pen_x - pos.x);
            line_top += layout.line_advance;
            pen_x = pos.x;
            continue;
        }
        const qor::gfx::glyph_ref glyph = qor::gfx::lookup_glyph(layout.size, unit);
        if (!glyph || !glyph->has_bitmap) {
            pen_x += layout.average_width;
            continue;
        }
        draw(*glyph, pen_x + glyph->origin_x, line_top + layout.ascent - glyph->origin_y);
        pen_x += glyph->advance;
    }
    return std::max(widest, pen_x - pos.x);
}

// The text as UTF-16 units and the face's layout at `size`, or the failure.
struct prepared_text {
    int result = QOR_OK;
    std::unique_ptr<uint16_t[]> units;
    size_t count = 0;
    text_layout layout{};
};

prepared_text prepare(const char* text, int size) {
    prepared_text out;
    if (size <= 0) size = kDefaultSize;
    out.count = qor::gfx::utf16_length(text);
    if (out.count == 0) return out;
    out.units.reset(new (std::nothrow) uint16_t[out.count]);
    if (!out.units) {
        out.result = QOR_ERR_NO_MEMORY;
        return out;
    }
    qor::gfx::utf8_to_utf16(text, out.units.get());

    qor::host::font_metrics metrics;
    if (!qor::gfx::lookup_font_metrics(size, &metrics)) {
        out.result = QOR_ERR_GRAPHICS;
        return out;
    }
    int64_t line_advance = int64_t{metrics.height} + metrics.external_leading;
    if (line_advance <= 0) line_advance = size;
    out.layout = {size, metrics.ascent, metrics.average_char_width, line_advance};
    return out;
}

} // namespace

extern "C" int qor_graphics_draw_text(qor_context* ctx, const char* text, qor_point pos,
                                      qor_color color, int size) {
    if (!qor::gfx::context_usable(ctx) || ctx->valid != 1 || !text) return QOR_ERR_GRAPHICS;
    const prepared_text prepared = prepare(text, size);
    if (prepared.result != QOR_OK || prepared.count == 0) return prepared.result;
    // Only blue, green and red of the colour are used; coverage is the alpha.
    const uint32_t rgb = qor::gfx::color_word(color) & 0x00FFFFFFu;
    walk_glyphs(prepared.units.get(), prepared.count, pos, prepared.layout,
                [&](const cached_glyph& glyph, int64_t left, int64_t top) {
                    blit_glyph(ctx, glyph, left, top, rgb);
                });
    return QOR_OK;
}

extern "C" int qor_graphics_measure_text(const char* text, int size) {
    if (!text) return QOR_ERR_GRAPHICS;
    const prepared_text prepared = prepare(text, size);
    if (prepared.result != QOR_OK || prepared.count == 0) return prepared.result;
    const int64_t width = walk_glyphs(prepared.units.get(), prepared.count, {0, 0}, prepared.layout,
                                      [](const cached_glyph&, int64_t, int64_t) {});
    return static_cast<int>(std::clamp<int64_t>(width, 0, INT32_MAX));
}
