// Time of one whole-desktop frame (render_desktop redraws everything on
// every pass), beside the anchor of one opaque fill of the same 800 x 600
// framebuffer: the least any frame can cost.
#include <benchmark/benchmark.h>

#include <qoros/qor_graphics.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_render.h"

namespace {

void BM_AnchorOpaqueFill800x600(benchmark::State& state) {
    qor_context* ctx = qor_graphics_create_context(DESKTOP_WIDTH, DESKTOP_HEIGHT);
    const qor_rect all{0, 0, DESKTOP_WIDTH, DESKTOP_HEIGHT};
    for (auto _ : state) {
        qor_graphics_fill_rect(ctx, &all, qor_color{10, 30, 60, 255});
        benchmark::ClobberMemory();
    }
    qor_graphics_destroy_context(ctx);
}
BENCHMARK(BM_AnchorOpaqueFill800x600)->Unit(benchmark::kMicrosecond);

void render_scene(benchmark::State& state, std::initializer_list<int32_t> kinds) {
    desktop_driver_start();
    for (int32_t kind : kinds)
        open_window(kind);
    desktop_driver_render(); // warm the glyph cache
    for (auto _ : state) {
        desktop_driver_render();
        benchmark::ClobberMemory();
    }
    desktop_driver_stop();
}

void BM_RenderEmptyDesktop(benchmark::State& state) {
    render_scene(state, {});
}
BENCHMARK(BM_RenderEmptyDesktop)->Unit(benchmark::kMicrosecond);

void BM_RenderFivePageKinds(benchmark::State& state) {
    render_scene(state, {WIN_QORGET, WIN_DISK_MANAGER, WIN_APP_STORE, WIN_ABOUT, WIN_BROWSER});
}
BENCHMARK(BM_RenderFivePageKinds)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
