// Drawing only what changed: after every step of random input the frame
// equals a full redraw, and a frame where nothing changed draws nothing.
// Every page, filled with more than fits, changes no pixel outside its window.
#include "appfmt/package_fixtures.h"
#include "desktop/desktop_fixture.h"
#include "desktop/frame_update.h"

#include <qoros/qor_graphics.h>
#include <qoros/qor_log.h>

#include <cstring>
#include <filesystem>
#include <random>

namespace qor::test {
namespace {

int g_minute = 41;
host::local_time stepping_clock() {
    return {2026, 9, 12, 9, g_minute, 0, 0};
}

std::vector<uint32_t> pixels_of(qor_context* ctx) {
    std::vector<uint32_t> out(kDesktopWidth * kDesktopHeight);
    std::memcpy(out.data(), qor_graphics_get_framebuffer(ctx), out.size() * 4);
    return out;
}

// The same state drawn from scratch into a context of its own.
std::vector<uint32_t> full_redraw() {
    qor_context* own = g_main_ctx;
    g_main_ctx = qor_graphics_create_context(kDesktopWidth, kDesktopHeight);
    render_desktop();
    std::vector<uint32_t> out = pixels_of(g_main_ctx);
    qor_graphics_destroy_context(g_main_ctx);
    g_main_ctx = own;
    return out;
}

// Points where input does something: icons, start button and menu rows,
// taskbar buttons, title bars, close boxes, window contents.
void random_input(std::mt19937& random) {
    const int kind = static_cast<int>(random() % 12);
    const int x = static_cast<int>(random() % kDesktopWidth);
    const int y = static_cast<int>(random() % kDesktopHeight);
    switch (kind) {
    case 0:
        desktop_driver_click(44, 44 + 70 * static_cast<int>(random() % 8));
        break;
    case 1:
        desktop_driver_click(40 + static_cast<int>(random() % 60) * 10, 585);
        break;
    case 2:
        desktop_driver_click(100, 389 + 20 * static_cast<int>(random() % 9));
        break;
    case 3:
        desktop_driver_move(x, y);
        break;
    case 4:
        desktop_driver_wheel(x, y / 2 + 150, static_cast<int>(random() % 7) - 3);
        break;
    case 5: {
        static const uint32_t keys[] = {kKeyLeft, kKeyUp,   kKeyRight,  kKeyDown,
                                        kKeyEnd,  kKeyHome, kKeyDelete, kKeyEnter};
        desktop_driver_key(keys[random() % 8]);
        break;
    }
    case 6:
        type_keys(std::string(1 + random() % 12, static_cast<char>('a' + random() % 26)));
        break;
    case 7:
        if (random() % 4 == 0) desktop_driver_key(kKeyEscape);
        break;
    case 8:
        g_minute = (g_minute + 1) % 60; // the clock moves on
        break;
    default:
        if (g_active_win >= 0 && random() % 2) { // into the active window: rows, buttons
            const app_window& win = g_app_wins[g_active_win];
            desktop_driver_click(win.x + static_cast<int>(random() % win.w),
                                 win.y + static_cast<int>(random() % win.h));
        } else {
            desktop_driver_click(x, y);
        }
        break;
    }
}

using FrameUpdate = DesktopTest;

TEST_F(FrameUpdate, DrawingOnlyTheChangedAreasEqualsAFullRedraw) {
    g_taskbar_clock = stepping_clock;
    for (const char* folder : {"Documents", "Music", "src"})
        std::filesystem::create_directories(home / folder / "inner");
    for (const char* file : {"notes.txt", "a.png", "Documents/report.pdf"})
        write_bytes(home / file, file);
    for (int i = 0; i < 20; ++i) // more than a window lists: the wheel scrolls
        write_bytes(home / ("file" + std::to_string(i)), std::string(static_cast<size_t>(i), 'x'));
    files_show_home();
    std::mt19937 random(2026);
    desktop_frame_update(true);
    for (int step = 0; step < 600; ++step) {
        random_input(random);
        desktop_frame_update(false);
        ASSERT_EQ(pixels_of(g_main_ctx), full_redraw()) << "after step " << step;
        if (!g_running) g_running = true; // Escape on the empty desktop ends nothing here
    }
}

TEST_F(FrameUpdate, AFrameWhereNothingChangedDrawsNothing) {
    g_taskbar_clock = stepping_clock;
    for (int32_t kind = WIN_FILES; kind <= WIN_BROWSER; ++kind)
        open_window(kind);
    desktop_frame_update(true);
    const qor_rect all{0, 0, kDesktopWidth, kDesktopHeight};
    qor_graphics_fill_rect(g_main_ctx, &all, qor_color{1, 2, 3, 255}); // a marker
    desktop_frame_update(true);
    EXPECT_EQ(desktop_driver_pixel(400, 300), 0xFF030201u) << "a still desktop was drawn";

    // A minute later only the clock's part of the taskbar is drawn again.
    g_minute = (g_minute + 1) % 60;
    desktop_frame_update(false);
    EXPECT_EQ(desktop_driver_pixel(400, 300), 0xFF030201u);
    EXPECT_NE(desktop_driver_pixel(400, 585), 0xFF030201u);

    // A keystroke in the terminal draws the terminal's content and nothing
    // outside the terminal window.
    open_window(WIN_TERMINAL);
    desktop_frame_update(true);
    qor_graphics_fill_rect(g_main_ctx, &all, qor_color{1, 2, 3, 255});
    type_keys("x");
    const app_window& term = g_app_wins[g_active_win];
    EXPECT_NE(desktop_driver_pixel(term.x + 10, term.y + term.h - 10), 0xFF030201u);
    EXPECT_EQ(desktop_driver_pixel(term.x + 10, term.y + 5), 0xFF030201u) << "title bar";
    EXPECT_EQ(desktop_driver_pixel(term.x - 5, term.y + 50), 0xFF030201u) << "beside it";

    // A newly installed package changes the store's listing and no other
    // window: the editor below the store keeps the marker.
    close_all_windows();
    open_window(WIN_CODE_EDITOR); // 80, 60, 560 x 420
    open_window(WIN_APP_STORE);   // 100, 50, 500 x 400, above it
    desktop_frame_update(true);
    qor_graphics_fill_rect(g_main_ctx, &all, qor_color{1, 2, 3, 255});
    const auto package = std::filesystem::path(qor_apps_get_dir()) / "new.qpa";
    write_bytes(package, bare_package("New"));
    desktop_frame_update(true);
    std::filesystem::remove(package);
    EXPECT_NE(desktop_driver_pixel(300, 300), 0xFF030201u) << "the store's listing";
    EXPECT_EQ(desktop_driver_pixel(620, 470), 0xFF030201u) << "the editor";
}

TEST_F(FrameUpdate, PagesPaintOnlyInsideTheirWindows) {
    for (int i = 0; i < 30; ++i) {
        write_bytes(home / ("a file name far too long for the name column of the explorer " +
                            std::to_string(i) + ".txt"),
                    std::string(static_cast<size_t>(i) * 999, 'x'));
    }
    files_navigate(home.string().c_str());
    for (int32_t kind = WIN_FILES; kind <= WIN_BROWSER; ++kind) {
        SCOPED_TRACE(kind);
        close_all_windows();
        desktop_driver_render();
        const std::vector<uint32_t> before = pixels_of(g_main_ctx);
        open_window(kind);
        if (kind == WIN_TERMINAL) { // long scroll-back and input
            type_keys("help");
            desktop_driver_key(kKeyEnter);
        }
        type_keys(std::string(200, 'W')); // a long input or editor line
        desktop_driver_render();
        const std::vector<uint32_t> after = pixels_of(g_main_ctx);
        const app_window& win = g_app_wins[g_active_win];
        int outside = 0;
        for (int y = 0; y < kTaskbarArea.y; ++y) {
            for (int x = 0; x < kDesktopWidth; ++x) {
                // The window and its shadow, 3 pixels right and down.
                const bool covered =
                    x >= win.x && x < win.x + win.w + 3 && y >= win.y && y < win.y + win.h + 3;
                if (!covered && after[y * kDesktopWidth + x] != before[y * kDesktopWidth + x])
                    ++outside;
            }
        }
        EXPECT_EQ(outside, 0);
    }
}

} // namespace
} // namespace qor::test
