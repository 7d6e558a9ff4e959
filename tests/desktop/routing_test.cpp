// Click, hover and key routing of the desktop, driven through the same
// messages the host window sends.
#include <cstring>

#include "desktop/desktop_input.h"
#include "desktop_fixture.h"
#include "support/scratch.h"

namespace qor::test {
namespace {

constexpr int START_X = 40, START_Y = 585;
constexpr uint32_t VK_ESCAPE = 0x1B;

int menu_row_y(int entry) {
    return 380 + 20 * entry + 9;
}

TEST(PointerMapping, IconBoxesAndClientScaling) {
    const struct {
        int x, y, icon;
    } hits[] = {{20, 20, 1},  {67, 67, 1},  {68, 20, 0}, {19, 20, 0}, // right/bottom edges excluded
                {30, 549, 7}, {30, 550, 0},                           // the Apps box is 40 high
                {30, 300, 8}};                                        // Firefox in the fifth row
    for (const auto& hit : hits)
        EXPECT_EQ(hit_test_icon(hit.x, hit.y), hit.icon) << hit.x << "," << hit.y;

    const struct {
        int x, y, client_w, client_h, fx, fy;
    } maps[] = {{799, 599, 1600, 1200, 399, 299},
                {100, 100, 801, 601, 99, 99}, // truncating
                {-5, 700, 0, 600, -5, 700}};  // no size: unscaled
    for (const auto& m : maps) {
        const framebuffer_point p = map_to_framebuffer(m.x, m.y, m.client_w, m.client_h);
        EXPECT_EQ(p.x, m.fx) << m.x << " in " << m.client_w;
        EXPECT_EQ(p.y, m.fy) << m.y << " in " << m.client_h;
    }
}

using ClickRouting = DesktopTest;

TEST_F(ClickRouting, EachIconOpensItsKindAndClicksAreScaledFirst) {
    const int32_t kinds[] = {WIN_FILES,        WIN_TERMINAL, WIN_QORGET,    WIN_CODE_EDITOR,
                             WIN_DISK_MANAGER, WIN_HOMET,    WIN_APP_STORE, WIN_BROWSER};
    for (int icon = 1; icon <= 8; ++icon) {
        click_icon(icon);
        const int slot = slot_of(kinds[icon - 1]);
        ASSERT_GE(slot, 0) << "icon " << icon;
        EXPECT_EQ(g_active_win, slot);
        close_window(slot);
    }
    qor::host::window_message click{};
    click.kind = qor::host::window_message_kind::left_button_down;
    click.x = START_X / 2;
    click.y = START_Y / 2;
    click.client_w = 400;
    click.client_h = 300;
    desktop_handle_message(click);
    EXPECT_TRUE(g_start_menu_open);
}

TEST_F(ClickRouting, StartMenuClicks) {
    desktop_driver_click(START_X, START_Y);
    EXPECT_TRUE(g_start_menu_open);
    desktop_driver_click(START_X, START_Y); // the button toggles
    EXPECT_FALSE(g_start_menu_open);

    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(400, 300); // empty desktop: only closes the menu
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_EQ(open_count(), 0);

    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(6, 380 + 20 * 3 + 19); // left margin, gap below the fourth box
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_GE(slot_of(WIN_CODE_EDITOR), 0);
    EXPECT_EQ(open_count(), 1);

    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(kIconX, menu_row_y(1)); // over the Disk icon, inside the menu
    EXPECT_GE(slot_of(WIN_TERMINAL), 0);
    EXPECT_EQ(slot_of(WIN_DISK_MANAGER), -1);

    desktop_driver_click(START_X, START_Y);
    click_icon(kIconFiles); // outside the menu: closes it and goes on to the icon
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_GE(slot_of(WIN_FILES), 0);
}

TEST_F(ClickRouting, TaskbarButtonsActivateMinimiseAndRestore) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    desktop_driver_click(95, START_Y); // left edge of the first button
    EXPECT_EQ(g_active_win, 0);
    desktop_driver_click(95 + 100, START_Y); // the gap between buttons
    EXPECT_EQ(g_active_win, 0);
    desktop_driver_click(95 + 105 + 99, START_Y); // right edge of the second
    EXPECT_EQ(g_active_win, 1);

    desktop_driver_click(95 + 105 + 50, START_Y); // active: minimise
    EXPECT_TRUE(g_app_wins[1].minimized);
    EXPECT_EQ(g_active_win, -1);
    EXPECT_EQ(taskbar_slot_at(95 + 105 + 50, START_Y), 1);
    desktop_driver_click(400, 300); // inside both: the minimised window is skipped
    EXPECT_EQ(g_active_win, 0);
    desktop_driver_click(95 + 105 + 50, START_Y); // restore
    EXPECT_FALSE(g_app_wins[1].minimized);
    EXPECT_EQ(g_active_win, 1);
}

TEST_F(ClickRouting, WindowClicksGoToTheActiveOrTopWindow) {
    open_window(WIN_FILES); // 80, 40, 640 x 480
    open_window(WIN_ABOUT); // 200, 150, 400 x 280
    g_active_win = -1;
    desktop_driver_click(400, 300); // no active window: the highest slot is on top
    EXPECT_EQ(g_active_win, 1);
    desktop_driver_click(90, 500);  // only Files lies here
    desktop_driver_click(400, 300); // overlap: the active window keeps it
    EXPECT_EQ(g_active_win, 0);

    activate_window(1);
    desktop_driver_click(90, 50); // Files' title bar only activates
    EXPECT_EQ(g_active_win, 0);
    EXPECT_EQ(g_app_wins[0].x, 80);
    EXPECT_EQ(g_app_wins[0].y, 40);
    desktop_driver_click(200 + 400 - 7, 150 + 19); // About's close box, covered by Files
    EXPECT_TRUE(g_app_wins[1].open);

    activate_window(1);
    desktop_driver_click(200 + 400 - 25, 160); // just left of the close box: title bar
    EXPECT_TRUE(g_app_wins[1].open);
    desktop_driver_click(200 + 400 - 24, 150 + 4);
    EXPECT_FALSE(g_app_wins[1].open);
    EXPECT_EQ(g_active_win, -1);
    EXPECT_TRUE(g_app_wins[0].open);
}

TEST_F(ClickRouting, BrowserIconOpensThePageOnlyWhileThePackageIsMissing) {
    click_icon(kIconFirefox);
    const int slot = slot_of(WIN_BROWSER);
    ASSERT_GE(slot, 0);
    desktop_driver_click(400, 300); // content click: nothing to launch
    EXPECT_EQ(open_count(), 1);
    EXPECT_EQ(g_active_win, slot);
    close_window(slot);

    const auto package = fresh_folder() / "firefox.qpa";
    write_bytes(package, "not really a package");
    std::strncpy(g_firefox_qpa, package.string().c_str(), QOR_PATH_MAX - 1);
    click_icon(kIconFirefox);
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(100, menu_row_y(4));
    EXPECT_EQ(open_count(), 0);
    EXPECT_FALSE(g_start_menu_open);
}

TEST_F(ClickRouting, HoverNamesTheIconOrTheMenuEntryKind) {
    desktop_driver_move(kIconX, icon_center_y(kIconQorget));
    EXPECT_EQ(g_hovered_icon, 3);
    desktop_driver_move(400, 300);
    EXPECT_EQ(g_hovered_icon, 0);
    desktop_driver_move(100, menu_row_y(1)); // menu closed: the plain icon test
    EXPECT_EQ(g_hovered_icon, 0);
    g_start_menu_open = true;
    desktop_driver_move(100, menu_row_y(1));
    EXPECT_EQ(g_hovered_icon, -100 - WIN_TERMINAL);
    desktop_driver_move(kIconX, menu_row_y(0)); // over the Disk icon too: the entry wins
    EXPECT_EQ(g_hovered_icon, -100 - WIN_FILES);

    g_start_menu_open = false;
    open_window(WIN_BROWSER); // covers x >= 60: windows do not hide icons
    desktop_driver_move(62, icon_center_y(kIconFiles));
    EXPECT_EQ(g_hovered_icon, 1);
}

using KeyRouting = DesktopTest;

TEST_F(KeyRouting, EveryKeyDownIsQueuedForTheDesktopWindow) {
    g_desktop_win = 7;
    desktop_driver_key(0x41);
    qor_event event{};
    qor_event_poll(&event);
    EXPECT_EQ(event.type, QOR_EVENT_KEY_DOWN);
    EXPECT_EQ(event.key, 0x41);
    EXPECT_EQ(event.modifiers, 0u);
    EXPECT_EQ(event.window, 7);
    EXPECT_NE(event.timestamp, 0u);
    EXPECT_EQ(event.param1, 0);
    g_desktop_win = 0;
}

TEST_F(KeyRouting, EscapeClosesTheActiveWindowThenTheMenuThenEndsTheRun) {
    open_window(WIN_ABOUT);
    desktop_driver_key(0x41); // other keys and characters leave fixed pages alone
    desktop_driver_character('a');
    desktop_driver_character(27);
    EXPECT_EQ(g_active_win, 0);
    desktop_driver_key(VK_ESCAPE);
    EXPECT_EQ(open_count(), 0);
    EXPECT_EQ(g_active_win, -1);

    open_window(WIN_CODE_EDITOR); // the editor keeps Escape for itself...
    desktop_driver_key(VK_ESCAPE);
    EXPECT_GE(slot_of(WIN_CODE_EDITOR), 0);
    g_app_wins[0].minimized = 1; // ...unless it is minimised while active
    desktop_driver_key(VK_ESCAPE);
    EXPECT_FALSE(g_app_wins[0].open);

    g_start_menu_open = true;
    desktop_driver_key(VK_ESCAPE);
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_TRUE(g_running);
    desktop_driver_key(VK_ESCAPE); // the empty desktop
    EXPECT_FALSE(g_running);
}

TEST_F(KeyRouting, DestroyMessageEndsTheRun) {
    open_window(WIN_ABOUT);
    desktop_driver_destroy();
    EXPECT_FALSE(g_running);
}

} // namespace
} // namespace qor::test
