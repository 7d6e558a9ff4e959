// Opening, reusing and filling the ten application window slots.
#include "desktop_fixture.h"

namespace qor::test {
namespace {

using WindowTable = DesktopTest;

TEST_F(WindowTable, NewWindowTakesTheLowestFreeSlotWithItsKindsLayout) {
    open_window(WIN_FILES);
    open_window(WIN_TERMINAL);
    close_window(0);
    EXPECT_EQ(g_active_win, -1);
    open_window(WIN_DISK_MANAGER);
    EXPECT_EQ(g_app_wins[0].kind, WIN_DISK_MANAGER);
    EXPECT_EQ(g_active_win, 0);
    const app_window& term = g_app_wins[1];
    EXPECT_TRUE(term.open && !term.minimized);
    EXPECT_EQ(term.kind, WIN_TERMINAL);
    EXPECT_EQ(term.x, 100);
    EXPECT_EQ(term.y, 60);
    EXPECT_EQ(term.w, 600);
    EXPECT_EQ(term.h, 400);
    EXPECT_STREQ(term.title, "Terminal");

    for (int32_t kind : {0, 11, -4}) { // kinds outside the table: the generic window
        const window_kind_layout layout = layout_for_kind(kind);
        EXPECT_STREQ(layout.title, "Window");
        EXPECT_EQ(layout.x + layout.y + layout.w + layout.h, 100 + 100 + 400 + 300) << kind;
    }
}

TEST_F(WindowTable, OpeningAKindTwiceReusesAndRestoresTheWindow) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    minimize_window(0);
    EXPECT_FALSE(window_is_shown(0));
    open_window(WIN_FILES);
    EXPECT_EQ(open_count(), 2);
    EXPECT_EQ(g_active_win, 0);
    EXPECT_FALSE(g_app_wins[0].minimized);
    minimize_window(0); // minimising the active window leaves none active
    EXPECT_EQ(g_active_win, -1);
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

} // namespace
} // namespace qor::test
