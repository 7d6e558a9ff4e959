// Time of desktop frames beside the anchor of one opaque fill of the same
// 800 x 600 framebuffer: whole frames (render_desktop draws everything, with
// the glyph cache warm or emptied before each frame), and a terminal
// keystroke with nine windows open, where only what changed is drawn.
#include <benchmark/benchmark.h>

#include <qoros/qor_graphics.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_render.h"
#include "desktop/explorer.h"
#include "desktop/frame_update.h"
#include "graphics/glyph_source.h"
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <qoros/qor_terminal.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace qor::desktop;

namespace {

void BM_AnchorOpaqueFill800x600(benchmark::State& state) {
    qor_context* ctx = qor_graphics_create_context(kDesktopWidth, kDesktopHeight);
    const qor_rect all{0, 0, kDesktopWidth, kDesktopHeight};
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
// after "help": the busiest desktop. Returns the home folder to remove.
std::filesystem::path open_nine_windows() {
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
    return home;
}

void close_nine_windows(const std::filesystem::path& home) {
    desktop_driver_stop();
    std::filesystem::remove_all(home.parent_path());
}

// The nine windows and the start menu open over them, drawn whole; with
// state.range(0) == 0 the glyph cache is emptied before every frame.
void BM_RenderAllNineKindsWithStartMenu(benchmark::State& state) {
    const std::filesystem::path home = open_nine_windows();
    g_start_menu_open = true;
    const bool warm = state.range(0) != 0;
    desktop_driver_render(); // warm the glyph cache
    for (auto _ : state) {
        if (!warm) qor::gfx::set_glyph_source(nullptr);
        desktop_driver_render();
        benchmark::ClobberMemory();
    }
    state.SetLabel(warm ? "glyph cache warm" : "glyph cache cold");
    close_nine_windows(home);
}
BENCHMARK(BM_RenderAllNineKindsWithStartMenu)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A character typed into the terminal (active, on top of eight other
// windows) and taken back with Backspace: two frames that each draw only
// the terminal's changed content. Time per keystroke.
void BM_TerminalKeystrokeNineWindows(benchmark::State& state) {
    const std::filesystem::path home = open_nine_windows();
    open_window(WIN_TERMINAL);
    desktop_frame_update(true);
    for (auto _ : state) {
        desktop_driver_character('x');
        desktop_driver_key(0x08); // Backspace
        desktop_driver_character(0x08);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    close_nine_windows(home);
}
BENCHMARK(BM_TerminalKeystrokeNineWindows)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
