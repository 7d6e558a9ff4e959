// Fills, blends, gradients and text, each beside its anchor: memset of the
// same bytes, pixman's solid fill and OVER of the same rectangle, and the
// plain scalar blend. Items per second are pixels (or glyphs for text).
#include "graphics/glyph_source.h"
#include "graphics/span_kernels.h"

#include <benchmark/benchmark.h>
#include <pixman.h>
#include <qoros/qor_graphics.h>

#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 800, kHeight = 600;

qor_color argb(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

struct desktop {
    qor_context* ctx = qor_graphics_create_context(kWidth, kHeight);
    ~desktop() { qor_graphics_destroy_context(ctx); }
};

void count_pixels(benchmark::State& state, int64_t per_iteration) {
    state.SetItemsProcessed(state.iterations() * per_iteration);
    state.SetBytesProcessed(state.iterations() * per_iteration * 4);
}

void BM_OpaqueFill800x600(benchmark::State& state) {
    desktop d;
    const qor_rect all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        qor_graphics_fill_rect(d.ctx, &all, argb(0xFF3232C8));
        benchmark::ClobberMemory();
    }
    count_pixels(state, kWidth * kHeight);
}

void BM_Memset800x600(benchmark::State& state) {
    desktop d;
    for (auto _ : state) {
        std::memset(d.ctx->framebuffer, 0x5A, static_cast<size_t>(d.ctx->pitch) * kHeight);
        benchmark::ClobberMemory();
    }
    count_pixels(state, kWidth * kHeight);
}

struct pixman_desktop {
    desktop d;
    pixman_image_t* image = pixman_image_create_bits(
        PIXMAN_a8r8g8b8, kWidth, kHeight, reinterpret_cast<uint32_t*>(d.ctx->framebuffer),
        static_cast<int>(d.ctx->pitch));
    ~pixman_desktop() { pixman_image_unref(image); }
};

void BM_PixmanSolidFill800x600(benchmark::State& state) {
    pixman_desktop p;
    const pixman_color_t blue{0x3232, 0x3232, 0xC8C8, 0xFFFF};
    const pixman_rectangle16_t all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        pixman_image_fill_rectangles(PIXMAN_OP_SRC, p.image, &blue, 1, &all);
        benchmark::ClobberMemory();
    }
    count_pixels(state, kWidth * kHeight);
}

void BM_TranslucentFill640x480(benchmark::State& state) {
    desktop d;
    const qor_rect box{80, 60, 640, 480};
    for (auto _ : state) {
        qor_graphics_fill_rect(d.ctx, &box, argb(0x50FFFFFF));
        benchmark::ClobberMemory();
    }
    state.SetLabel(qor::gfx::active_span_kernels().name);
    count_pixels(state, 640 * 480);
}

void BM_ScalarBlend640x480(benchmark::State& state) {
    desktop d;
    const auto& scalar = qor::gfx::scalar_span_kernels();
    for (auto _ : state) {
        for (int y = 60; y < 540; ++y) {
            scalar.blend_solid(reinterpret_cast<uint32_t*>(d.ctx->framebuffer + y * d.ctx->pitch) +
                                   80,
                               640, 0x50FFFFFF);
        }
        benchmark::ClobberMemory();
    }
    count_pixels(state, 640 * 480);
}

void BM_PixmanOver640x480(benchmark::State& state) {
    pixman_desktop p;
    // Premultiplied white at alpha 0x50.
    const pixman_color_t white{0x5050, 0x5050, 0x5050, 0x5050};
    const pixman_rectangle16_t box{80, 60, 640, 480};
    for (auto _ : state) {
        pixman_image_fill_rectangles(PIXMAN_OP_OVER, p.image, &white, 1, &box);
        benchmark::ClobberMemory();
    }
    count_pixels(state, 640 * 480);
}

void BM_Gradient800x600(benchmark::State& state) {
    desktop d;
    const qor_rect all{0, 0, kWidth, kHeight};
    const bool vertical = state.range(0) != 0;
    for (auto _ : state) {
        qor_graphics_gradient_fill(d.ctx, &all, argb(0xFF1E3C78), argb(0xFF0A1428), vertical);
        benchmark::ClobberMemory();
    }
    state.SetLabel(vertical ? "vertical" : "horizontal");
    count_pixels(state, kWidth * kHeight);
}

// A page of mixed Latin and Chinese lines, size 12; items are glyphs drawn.
void BM_TextPage(benchmark::State& state) {
    const bool cached = state.range(0) != 0;
    qor::gfx::set_glyph_cache_enabled(cached);
    const std::string line = "QorOS \xE6\x96\x87\xE4\xBB\xB6\xE7\xAE\xA1\xE7\x90\x86 Terminal "
                             "\xE7\xB3\xBB\xE7\xBB\x9F\xE4\xBF\xA1\xE6\x81\xAF v6.0 about.txt\n";
    std::string page;
    for (int i = 0; i < 30; ++i)
        page += line;
    const int64_t glyphs = 30 * 39; // 39 units per line besides the line feed
    desktop d;
    for (auto _ : state) {
        qor_graphics_draw_text(d.ctx, page.c_str(), {4, 4}, argb(0xFFE6E6E6), 12);
        benchmark::ClobberMemory();
    }
    qor::gfx::set_glyph_cache_enabled(true);
    state.SetLabel(cached ? "cached" : "uncached");
    state.SetItemsProcessed(state.iterations() * glyphs);
}

BENCHMARK(BM_OpaqueFill800x600);
BENCHMARK(BM_Memset800x600);
BENCHMARK(BM_PixmanSolidFill800x600);
BENCHMARK(BM_TranslucentFill640x480);
BENCHMARK(BM_PixmanOver640x480);
BENCHMARK(BM_ScalarBlend640x480);
BENCHMARK(BM_Gradient800x600)->Arg(1)->Arg(0);
BENCHMARK(BM_TextPage)->Arg(1)->Arg(0);

} // namespace

BENCHMARK_MAIN();
