#include "support/test_glyphs.h"

#include "graphics/glyph_source.h"

#include <atomic>

namespace qor::test {
namespace {

std::atomic<int> g_requests{0};

void box(host::glyph_image* out, int w, int h, int ox, int oy, int advance, uint8_t level) {
    out->black_box_x = w;
    out->black_box_y = h;
    out->origin_x = ox;
    out->origin_y = oy;
    out->cell_inc_x = static_cast<int16_t>(advance);
    out->stride = (w + 3) / 4 * 4;
    out->coverage.assign(static_cast<size_t>(out->stride) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out->coverage[static_cast<size_t>(y) * out->stride + x] = level;
}

bool metrics_source(int s, host::font_metrics* out) {
    *out = {s, s + s / 4, 2, s / 2};
    return true;
}

host::glyph_result glyph_source_fn(int s, uint16_t unit, host::glyph_image* out) {
    ++g_requests;
    if (unit == u' ' || unit == u'\t' || unit == u'\r') return host::glyph_result::no_bitmap;
    if (unit == 0xFFFF) return host::glyph_result::failed;
    if (unit == u'h') {
        box(out, s / 2, s, 1, s, s / 2 + 2, 32);
    } else if (unit == u'g') {
        box(out, 13, 5, 0, s, 14, 0);
        for (int i = 0; i < 65; ++i)
            out->coverage[(i / 13) * out->stride + i % 13] = uint8_t(i);
    } else if (unit >= 0x4E00 && unit <= 0x9FFF) {
        box(out, s, s, 0, s, s + 1, 64);
    } else {
        box(out, s / 2, s, 1, s, s / 2 + 2, 64);
    }
    return host::glyph_result::bitmap;
}

constexpr gfx::glyph_source kTestSource{metrics_source, glyph_source_fn};

} // namespace

int test_glyph_requests() {
    return g_requests.load();
}

scoped_test_glyphs::scoped_test_glyphs() {
    gfx::set_glyph_source(&kTestSource);
}
scoped_test_glyphs::~scoped_test_glyphs() {
    gfx::set_glyph_source(nullptr);
}

} // namespace qor::test
