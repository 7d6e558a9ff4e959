// Every page, filled with more than fits (long scroll-back and input, long
// file names, a long editor line), changes no pixel outside its window.
#include "apps_desktop_fixture.h"

#include <qoros/qor_graphics.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {
namespace {

std::vector<uint32_t> frame() {
    std::vector<uint32_t> pixels(kDesktopWidth * kDesktopHeight);
    std::memcpy(pixels.data(), qor_graphics_get_framebuffer(g_main_ctx), pixels.size() * 4);
    return pixels;
}

// Fills the active window's page past its edges, as a user could.
void overfill(int32_t kind) {
    if (kind == WIN_TERMINAL) {
        type_keys("help");
        desktop_driver_key(kVkEnter);
        type_keys(std::string(200, 'W'));
    } else if (kind == WIN_CODE_EDITOR) {
        type_keys(std::string(150, 'M'));
    }
}

using PageBounds = AppsDesktopTest;

TEST_F(PageBounds, PagesPaintOnlyInsideTheirWindows) {
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
        const std::vector<uint32_t> before = frame();
        open_window(kind);
        overfill(kind);
        desktop_driver_render();
        const std::vector<uint32_t> after = frame();
        const app_window& win = g_app_wins[g_active_win];
        int outside = 0;
        for (int y = 0; y < kDesktopHeight - 30; ++y) { // above the taskbar
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
