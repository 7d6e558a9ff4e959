// Opening, reusing and filling the ten application window slots.
#include "desktop_fixture.h"

namespace qor::test {
namespace {

using WindowTable = DesktopTest;

TEST_F(WindowTable, NewWindowGetsItsKindsRectangleAndTitleAndBecomesActive) {
    open_window(WIN_TERMINAL);
    const app_window& win = g_app_wins[0];
    EXPECT_TRUE(win.open);
    EXPECT_FALSE(win.minimized);
    EXPECT_EQ(win.kind, WIN_TERMINAL);
    EXPECT_EQ(win.x, 100);
    EXPECT_EQ(win.y, 60);
    EXPECT_EQ(win.w, 600);
    EXPECT_EQ(win.h, 400);
    EXPECT_STREQ(win.title, "Terminal");
    EXPECT_EQ(g_active_win, 0);
}

TEST_F(WindowTable, KindsOutsideTheTableGetTheGenericWindow) {
    for (int32_t kind : {0, 11, -4}) {
        const window_kind_layout layout = layout_for_kind(kind);
        EXPECT_STREQ(layout.title, "Window");
        EXPECT_EQ(layout.x, 100);
        EXPECT_EQ(layout.y, 100);
        EXPECT_EQ(layout.w, 400);
        EXPECT_EQ(layout.h, 300);
    }
    EXPECT_STREQ(layout_for_kind(WIN_BROWSER).title, "Firefox Browser");
    EXPECT_EQ(layout_for_kind(WIN_ABOUT).w, 400);
}

TEST_F(WindowTable, OpeningAKindTwiceReusesTheWindowAlsoWhenMinimised) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    minimize_window(0);
    open_window(WIN_FILES);
    EXPECT_EQ(open_count(), 2);
    EXPECT_EQ(g_active_win, 0);
    EXPECT_FALSE(g_app_wins[0].minimized);
}

TEST_F(WindowTable, NewWindowTakesTheLowestFreeSlot) {
    open_window(WIN_FILES);
    open_window(WIN_TERMINAL);
    close_window(0);
    open_window(WIN_DISK_MANAGER);
    EXPECT_EQ(g_app_wins[0].kind, WIN_DISK_MANAGER);
    EXPECT_EQ(g_app_wins[1].kind, WIN_TERMINAL);
    EXPECT_EQ(g_active_win, 0);
}

TEST_F(WindowTable, FullTableOpensNothingAndKeepsTheActiveWindow) {
    for (int32_t kind = WIN_START_MENU; kind <= WIN_BROWSER; ++kind)
        open_window(kind);
    ASSERT_EQ(open_count(), 10);
    activate_window(4);
    open_window(42);
    EXPECT_EQ(open_count(), 10);
    EXPECT_EQ(slot_of(42), -1);
    EXPECT_EQ(g_active_win, 4);
}

TEST_F(WindowTable, CloseAndMinimiseLeaveNoWindowActive) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    close_window(1);
    EXPECT_EQ(g_active_win, -1);
    activate_window(0);
    minimize_window(0);
    EXPECT_EQ(g_active_win, -1);
    EXPECT_TRUE(g_app_wins[0].open);
    EXPECT_FALSE(window_is_shown(0));
}

} // namespace
} // namespace qor::test
