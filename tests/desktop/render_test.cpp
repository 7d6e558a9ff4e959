// Pixels of whole desktop frames that follow directly from the drawing
// rules: fills, outlines, discs, the blended taskbar and window shadows.
#include "desktop/start_menu.h"
#include "desktop_fixture.h"
#include "pixel_math.h"

#include <vector>

namespace qor::test {
namespace {

using DesktopFrame = DesktopTest;

uint32_t taskbar_at(int row) {
    return blend(0xF0231414, wallpaper(row));
}

TEST_F(DesktopFrame, EmptyDesktopWallpaperTaskbarAndIcons) {
    desktop_driver_move(44, 184); // hover the Qorget icon
    desktop_driver_render();
    expect_pixels({
        {400, 0, 0xFF3C1E0A, "wallpaper top"},
        {400, 1, wallpaper(1), "wallpaper"},
        {400, 299, wallpaper(299), "wallpaper"},
        {799, 569, wallpaper(569), "wallpaper above the taskbar"},
        {0, 570, 0xFF78503C, "taskbar top line"},
        {799, 570, 0xFF78503C, "taskbar top line"},
        {300, 571, taskbar_at(571), "taskbar blend"},
        {300, 599, taskbar_at(599), "taskbar blend"},
        {96, 575, taskbar_at(575), "no window buttons"},
        {500, 575, taskbar_at(575), "no window buttons"},
        {6, 575, 0xFFC87800, "start button, menu closed"},
        {20, 20, 0xFF1496C8, "Files outline corner"},
        {40, 50, 0xFF3CC8FF, "Files body"},
        {66, 21, wallpaper(21), "right of the folder tab"},
        {21, 91, 0xFF141414, "Term body"},
        {20, 90, 0xFF00C800, "Term outline"},
        {44, 184 + 15, 0xFF64FF64, "Qorget disc, hovered"},
        {44, 184, 0xFFFFFFFF, "the arrow's shaft"},
        {60, 380, 0xFF00FF00, "Disk lamp"},
        {20, 374, 0xFF1E8296, "Disk outline"},
        {44, 441, 0xFF2850C8, "homet roof"},
        {28, 522, 0xFFFFFFFF, "first Apps square"},
        {34, 522, 0xFFC86432, "between the squares"},
        {44 + 19, 324, 0xFF1478FF, "Firefox outer ring"},
        {44 + 14, 324, 0xFF963232, "Firefox inner disc"},
    });
    desktop_driver_move(400, 300);
    desktop_driver_render();
    expect_pixels({{44, 184 + 15, 0xFF009600, "Qorget disc, not hovered"}});
}

TEST_F(DesktopFrame, StartMenuHighlightsTheHoveredEntryOnly) {
    desktop_driver_click(40, 585);
    desktop_driver_move(100, 380 + 20 + 9); // "Terminal"
    desktop_driver_render();
    expect_pixels({{6, 575, 0xFFE6A000, "start button, menu open"},
                   {5, 350, 0xFFB47850, "menu outline"},
                   {7, 352, 0xFF3C281E, "menu body"}});
    for (int e = 0; e < kStartMenuEntryCount; ++e) {
        SCOPED_TRACE(e);
        expect_pixels({{12, 380 + 20 * e + 1, e == 1 ? 0xFF785032u : 0xFF463228u, "entry box"},
                       {12, 380 + 20 * e + 18, 0xFF3C281E, "gap between boxes"}});
    }
}

TEST_F(DesktopFrame, ActiveAndInactiveFramesAndTheShadow) {
    open_window(WIN_ABOUT);         // slot 0: 200, 150, 400 x 280
    open_window(WIN_QORGET);        // slot 1: 100, 60, 480 x 380, active
    desktop_driver_click(590, 300); // only About lies here: About active
    desktop_driver_render();
    expect_pixels({
        {200, 300, 0xFFFFB464, "active outline"},
        {560, 151, 0xFFC87800, "active title"},
        {577, 155, 0xFF3232C8, "close box"},
        {590, 420, 0xFFF5F0F0, "About page"},
        {100, 300, 0xFF786464, "inactive outline"},
        {560, 61, 0xFF503C3C, "inactive title"},
        {150, 420, 0xFFF5F0F0, "downloader page"},
        {115, 60 + 240, 0xFFC8C8C8, "empty progress bar"},
        // The shadow blends once, 3 pixels in, below and right of the window.
        {602, 300, blend(0x50000000, wallpaper(300)), "shadow right"},
        {400, 441, blend(0x50000000, wallpaper(441)), "shadow below the downloader"},
        {603, 300, wallpaper(300), "beyond the shadow"},
        {102, 441, wallpaper(441), "the shadow starts 3 pixels in"},
    });
}

TEST_F(DesktopFrame, WindowButtonsShowActiveMinimisedAndClippedStates) {
    open_window(WIN_ABOUT);
    open_window(WIN_DISK_MANAGER);
    desktop_driver_render();
    expect_pixels(
        {{96, 575, 0xFF463228, "inactive button"}, {96 + 105, 575, 0xFFA06400, "active button"}});
    desktop_driver_click(96 + 105, 585); // minimise the Disk Manager
    desktop_driver_render();
    expect_pixels({{96 + 105, 575, 0xFF463228, "minimised button"},
                   {110, 300, wallpaper(300), "minimised window not drawn"}});
}

// With one to ten windows, and with the M: indicator shown or not, every
// button lies between x = 95 and a gap before the first label, the buttons
// keep their full 100 pixels while they fit and then narrow alike, and a
// click on each reaches the window whose button it is.
TEST_F(DesktopFrame, TaskbarButtonsShareTheRoomBeforeTheLabels) {
    for (const bool mounted : {false, true}) {
        SCOPED_TRACE(mounted ? "M: shown" : "M: hidden");
        if (mounted) {
            ASSERT_EQ(qor_disk_mount_all(), 0); // the fixture unmounts again
        }
        const int room_end = mounted ? 595 : 645;
        close_all_windows();
        for (int32_t kind = WIN_START_MENU; kind <= WIN_BROWSER; ++kind) {
            open_window(kind);
            desktop_driver_render();
            std::vector<std::pair<int, int>> buttons; // first and last column on row 575
            for (int x = 0; x < 800; ++x) {
                const uint32_t p = desktop_driver_pixel(x, 575);
                if (x >= 95 && (p == 0xFF463228u || p == 0xFFA06400u)) {
                    if (!buttons.empty() && buttons.back().second == x - 1)
                        buttons.back().second = x;
                    else
                        buttons.push_back({x, x});
                }
            }
            const int open = kind;
            ASSERT_EQ(static_cast<int>(buttons.size()), open);
            const int full_fit = mounted ? 4 : 5;
            for (int k = 0; k < open; ++k) {
                const int width = buttons[k].second - buttons[k].first + 1;
                EXPECT_EQ(buttons[k].first, k == 0 ? 95 : buttons[k - 1].second + 6) << k;
                EXPECT_EQ(width, open <= full_fit ? 100 : (room_end - 95 - 5 * (open - 1)) / open);
                EXPECT_LE(buttons[k].second, room_end - 1);
                EXPECT_EQ(taskbar_slot_at(buttons[k].first, 585), k);
                EXPECT_EQ(taskbar_slot_at(buttons[k].second, 595), k);
            }
            EXPECT_EQ(taskbar_slot_at(buttons[open - 1].second + 1, 585), -1);
        }
    }
}

TEST_F(DesktopFrame, BrowserPageShapes) {
    open_window(WIN_BROWSER); // 60, 30, 700 x 500
    desktop_driver_render();
    expect_pixels({{62, 30 + 26, 0xFFF5F0F0, "toolbar"},
                   {62, 30 + 400, 0xFFFFFFFF, "white page"},
                   {60 + 40, 30 + 40, 0xFFD2C8C8, "address box outline"},
                   {680, 130 + 26, 0xFF1478FF, "logo ring"},
                   {680 + 18, 130, 0xFF963232, "logo centre disc"}});
}

} // namespace
} // namespace qor::test
