// Pixels of whole desktop frames that follow directly from the drawing
// rules: fills, outlines, discs, the blended taskbar and window shadows.
#include "desktop/start_menu.h"
#include "desktop_fixture.h"
#include "pixel_math.h"

namespace qor::test {
namespace {

using DesktopFrame = DesktopTest;

uint32_t pixel(int x, int y) {
    return desktop_driver_pixel(x, y);
}

TEST_F(DesktopFrame, WallpaperIsTheVerticalGradient) {
    desktop_driver_render();
    for (int row : {0, 1, 299, 569})
        EXPECT_EQ(pixel(400, row), wallpaper(row)) << row;
    EXPECT_EQ(pixel(400, 0), 0xFF3C1E0Au);
    EXPECT_EQ(pixel(799, 300), wallpaper(300));
}

TEST_F(DesktopFrame, TaskbarBlendsOverTheWallpaperUnderItsTopLine) {
    desktop_driver_render();
    EXPECT_EQ(pixel(0, 570), 0xFF78503Cu);
    EXPECT_EQ(pixel(799, 570), 0xFF78503Cu);
    for (int row : {571, 585, 599}) {
        EXPECT_EQ(pixel(300, row), blend(0xF0231414, wallpaper(row))) << row;
    }
    EXPECT_EQ(pixel(6, 575), 0xFFC87800u); // start button, menu closed
}

TEST_F(DesktopFrame, EmptyTaskbarHasNoWindowButtons) {
    desktop_driver_render();
    for (int x : {96, 150, 201, 500})
        EXPECT_EQ(pixel(x, 575), blend(0xF0231414, wallpaper(575)));
}

TEST_F(DesktopFrame, IconGlyphsFollowTheirShapes) {
    desktop_driver_render();
    EXPECT_EQ(pixel(20, 20), 0xFF1496C8u);       // Files outline corner
    EXPECT_EQ(pixel(40, 50), 0xFF3CC8FFu);       // Files body
    EXPECT_EQ(pixel(66, 21), wallpaper(21));     // right of the folder tab
    EXPECT_EQ(pixel(21, 91), 0xFF141414u);       // Term body
    EXPECT_EQ(pixel(20, 90), 0xFF00C800u);       // Term outline
    EXPECT_EQ(pixel(44, 184 + 15), 0xFF009600u); // Qorget disc, not hovered
    EXPECT_EQ(pixel(44, 184), 0xFFFFFFFFu);      // the arrow's shaft
    EXPECT_EQ(pixel(60, 380), 0xFF00FF00u);      // Disk lamp
    EXPECT_EQ(pixel(20, 374), 0xFF1E8296u);      // Disk outline
    EXPECT_EQ(pixel(44, 441), 0xFF2850C8u);      // homet roof
    EXPECT_EQ(pixel(28, 522), 0xFFFFFFFFu);      // first Apps square
    EXPECT_EQ(pixel(34, 522), 0xFFC86432u);      // between the squares
    EXPECT_EQ(pixel(44 + 19, 324), 0xFF1478FFu); // Firefox outer ring
    EXPECT_EQ(pixel(44 + 14, 324), 0xFF963232u); // Firefox inner disc
}

TEST_F(DesktopFrame, HoveredQorgetIconLightsUp) {
    desktop_driver_move(44, 184);
    desktop_driver_render();
    EXPECT_EQ(pixel(44, 184 + 15), 0xFF64FF64u);
}

TEST_F(DesktopFrame, StartMenuHighlightsTheHoveredEntryOnly) {
    desktop_driver_click(40, 585);
    desktop_driver_move(100, 380 + 20 + 9); // "Terminal"
    desktop_driver_render();
    EXPECT_EQ(pixel(6, 575), 0xFFE6A000u);
    EXPECT_EQ(pixel(5, 350), 0xFFB47850u);
    EXPECT_EQ(pixel(7, 352), 0xFF3C281Eu);
    for (int e = 0; e < START_MENU_ENTRY_COUNT; ++e) {
        const uint32_t expected = e == 1 ? 0xFF785032u : 0xFF463228u;
        EXPECT_EQ(pixel(12, 380 + 20 * e + 1), expected) << e;
        EXPECT_EQ(pixel(12, 380 + 20 * e + 18), 0xFF3C281Eu) << e; // gap between boxes
    }
}

TEST_F(DesktopFrame, ActiveAndInactiveFramesDifferInTitleAndOutline) {
    open_window(WIN_ABOUT);         // slot 0: 200, 150, 400 x 280
    open_window(WIN_QORGET);        // slot 1: 100, 60, 480 x 380, active
    desktop_driver_click(590, 300); // only About lies here: About active
    desktop_driver_render();
    // About (active, on top)
    EXPECT_EQ(pixel(200, 300), 0xFFFFB464u);
    EXPECT_EQ(pixel(560, 151), 0xFFC87800u);
    EXPECT_EQ(pixel(577, 155), 0xFF3232C8u);
    EXPECT_EQ(pixel(590, 420), 0xFFF5F0F0u);
    // Downloader (inactive, below)
    EXPECT_EQ(pixel(100, 300), 0xFF786464u);
    EXPECT_EQ(pixel(560, 61), 0xFF503C3Cu);
    EXPECT_EQ(pixel(150, 420), 0xFFF5F0F0u);
}

TEST_F(DesktopFrame, ShadowBlendsOnceBelowAndRightOfTheWindow) {
    open_window(WIN_ABOUT); // 200, 150, 400 x 280
    desktop_driver_render();
    EXPECT_EQ(pixel(602, 300), blend(0x50000000, wallpaper(300)));
    EXPECT_EQ(pixel(400, 431), blend(0x50000000, wallpaper(431)));
    EXPECT_EQ(pixel(603, 300), wallpaper(300));
    EXPECT_EQ(pixel(202, 430), wallpaper(430)); // the shadow starts 3 pixels in
}

TEST_F(DesktopFrame, WindowButtonsShowTheActiveAndMinimisedStates) {
    open_window(WIN_ABOUT);
    open_window(WIN_DISK_MANAGER);
    desktop_driver_render();
    EXPECT_EQ(pixel(96, 575), 0xFF463228u);
    EXPECT_EQ(pixel(96 + 105, 575), 0xFFA06400u);
    desktop_driver_click(96 + 105, 585); // minimise the Disk Manager
    desktop_driver_render();
    EXPECT_EQ(pixel(96 + 105, 575), 0xFF463228u);
    EXPECT_EQ(pixel(110, 300), wallpaper(300)); // not drawn any more
}

TEST_F(DesktopFrame, ButtonsBeyondTheBarAreClipped) {
    for (int32_t kind = WIN_FILES; kind <= WIN_BROWSER; ++kind)
        open_window(kind);
    desktop_driver_render();
    EXPECT_EQ(pixel(95 + 105 * 6 + 2, 575), 0xFF463228u); // seventh button, under the clock
    EXPECT_EQ(pixel(799, 575), 0xFF463228u);              // the same button, cut at the edge
}

TEST_F(DesktopFrame, PagesPaintTheirShapes) {
    open_window(WIN_QORGET); // 100, 60, 480 x 380
    desktop_driver_render();
    EXPECT_EQ(pixel(115, 60 + 240), 0xFFC8C8C8u); // empty progress bar
    close_window(0);
    open_window(WIN_BROWSER); // 60, 30, 700 x 500
    desktop_driver_render();
    EXPECT_EQ(pixel(62, 30 + 26), 0xFFF5F0F0u);      // toolbar
    EXPECT_EQ(pixel(62, 30 + 400), 0xFFFFFFFFu);     // white page
    EXPECT_EQ(pixel(60 + 40, 30 + 40), 0xFFD2C8C8u); // address box outline
    EXPECT_EQ(pixel(680, 130 + 26), 0xFF1478FFu);    // logo ring
    EXPECT_EQ(pixel(680 + 18, 130), 0xFF963232u);    // logo centre disc
}

} // namespace
} // namespace qor::test
