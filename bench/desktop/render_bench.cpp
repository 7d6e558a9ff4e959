// Time of one whole-desktop frame (render_desktop redraws everything on
// every pass), beside the anchor of one opaque fill of the same 800 x 600
// framebuffer: the least any frame can cost.
#include <benchmark/benchmark.h>

#include <qoros/qor_graphics.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_render.h"
#include "desktop/explorer.h"
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <qoros/qor_terminal.h>

#include <cstdio>
#include <filesystem>
#include <string>

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

// A home folder like a fresh system's: the four quick-access folders and a
// few documents. The homet window lists it afresh on every frame.
std::filesystem::path make_bench_home() {
    const std::filesystem::path home =
        std::filesystem::path(qor::host::temp_folder()) / "qoros-render-bench" / "homet";
    std::filesystem::create_directories(home);
    for (const char* folder : {"Desktop", "Documents", "Downloads", "Pictures"})
        std::filesystem::create_directories(home / folder);
    for (const char* file : {"notes.txt", "report.pdf", "photo.jpg", "archive.tar.gz"})
        qor::host::create_new_file((home / file).c_str());
    return home;
}

// Every window kind the input can open, the terminal's scroll-back full
// after "help", and the start menu open over them: the busiest frame.
void BM_RenderAllNineKindsWithStartMenu(benchmark::State& state) {
    const std::filesystem::path home = make_bench_home();
    std::snprintf(g_homet_dir, sizeof g_homet_dir, "%s", home.c_str());
    std::snprintf(g_files.path, sizeof g_files.path, "%s", home.c_str());
    terminal_init(&g_term, g_homet_dir);
    g_term_init = true;
    std::snprintf(g_term.input, sizeof g_term.input, "help");
    terminal_execute(&g_term);

    desktop_driver_start();
    for (int32_t kind = WIN_FILES; kind <= WIN_BROWSER; ++kind)
        open_window(kind);
    files_refresh();
    g_start_menu_open = true;
    desktop_driver_render(); // warm the glyph cache
    for (auto _ : state) {
        desktop_driver_render();
        benchmark::ClobberMemory();
    }
    desktop_driver_stop();
    std::filesystem::remove_all(home.parent_path());
}
BENCHMARK(BM_RenderAllNineKindsWithStartMenu)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
