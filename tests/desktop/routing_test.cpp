// Click, hover and key routing of the desktop, driven through the same
// messages the host window sends, and the ten window slots it fills.
#include <cstring>
#include <vector>

#include "desktop/desktop_input.h"
#include "desktop/start_menu.h"
#include "desktop_fixture.h"

namespace qor::test {
namespace {

constexpr int START_X = 40, START_Y = 585;

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
                {-5, 700, 0, 600, -5, 700},   // no size: unscaled
                {7, 9, 800, 0, 7, 9}};
    for (const auto& m : maps) {
        const framebuffer_point p = map_to_framebuffer(m.x, m.y, m.client_w, m.client_h);
        EXPECT_EQ(p.x, m.fx) << m.x << " in " << m.client_w;
        EXPECT_EQ(p.y, m.fy) << m.y << " in " << m.client_h;
    }
}

using ClickRouting = DesktopTest;

// From the empty desktop (with the start menu opened first or not), one
// click opens the window of one kind or none and leaves the menu open or not.
TEST_F(ClickRouting, IconsStartButtonAndMenuClicks) {
    const struct {
        bool menu_first;
        int x, y;
        int32_t kind; // 0: no window
        bool menu_after;
    } rows[] = {
        {false, 44, 44, WIN_FILES, false},
        {false, 44, 114, WIN_TERMINAL, false},
        {false, 44, 184, WIN_QORGET, false},
        {false, 44, 254, WIN_CODE_EDITOR, false},
        {false, 44, 324, WIN_BROWSER, false},
        {false, 44, 394, WIN_DISK_MANAGER, false},
        {false, 44, 464, WIN_HOMET, false},
        {false, 44, 530, WIN_APP_STORE, false},
        {false, START_X, START_Y, 0, true},
        {true, START_X, START_Y, 0, false}, // toggles
        {true, 400, 300, 0, false},         // the empty desktop: only closes the menu
        {true, 6, 380 + 20 * 3 + 19, WIN_CODE_EDITOR, false}, // margin, gap below the 4th box
        {true, 44, menu_row_y(1), WIN_TERMINAL, false},       // over the Disk icon too
        {true, 44, 44, WIN_FILES, false}, // outside the menu: closes it, goes on to the icon
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.x << "," << row.y << " menu " << row.menu_first);
        close_all_windows();
        g_start_menu_open = false;
        if (row.menu_first) desktop_driver_click(START_X, START_Y);
        desktop_driver_click(row.x, row.y);
        EXPECT_EQ(g_start_menu_open, row.menu_after);
        EXPECT_EQ(open_count(), row.kind ? 1 : 0);
        if (row.kind) {
            EXPECT_EQ(g_active_win, slot_of(row.kind));
        }
    }
    for (int entry = 0; entry < kStartMenuEntryCount; ++entry) {
        desktop_driver_click(START_X, START_Y);
        desktop_driver_click(100, menu_row_y(entry));
        EXPECT_GE(slot_of(g_start_menu_entries[entry].kind), 0) << entry;
    }
    close_all_windows();
    qor::host::window_message click{}; // clicks are scaled to the framebuffer first
    click.kind = qor::host::window_message_kind::left_button_down;
    click.x = START_X / 2;
    click.y = START_Y / 2;
    click.client_w = 400;
    click.client_h = 300;
    desktop_handle_message(click);
    EXPECT_TRUE(g_start_menu_open);
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
    desktop_driver_click(400, 300); // inside both: the minimised window is skipped
    EXPECT_EQ(g_active_win, 0);
    desktop_driver_click(95 + 105 + 50, START_Y); // restore
    EXPECT_FALSE(g_app_wins[1].minimized);
    EXPECT_EQ(g_active_win, 1);
}

// With one to ten windows, and with the M: indicator shown or not, every
// button lies between x = 95 and a gap before the first label, the buttons
// keep their full 100 pixels while they fit and then narrow alike, and a
// click on each reaches the window whose button it is.
TEST_F(ClickRouting, TaskbarButtonsShareTheRoomBeforeTheLabels) {
    for (const bool mounted : {false, true}) {
        SCOPED_TRACE(mounted ? "M: shown" : "M: hidden");
        if (mounted) {
            ASSERT_EQ(qor_disk_mount_all(), 0); // the fixture unmounts again
        }
        const int room_end = mounted ? 595 : 645, full_fit = mounted ? 4 : 5;
        close_all_windows();
        for (int open = 1; open <= kAppWindowSlots; ++open) {
            open_window(open); // kinds 1..10
            desktop_driver_render();
            std::vector<std::pair<int, int>> buttons; // first and last column on row 575
            for (int x = 95; x < 800; ++x) {
                const uint32_t p = desktop_driver_pixel(x, 575);
                if (p != 0xFF463228u && p != 0xFFA06400u) continue; // button colours
                if (!buttons.empty() && buttons.back().second == x - 1)
                    buttons.back().second = x;
                else
                    buttons.push_back({x, x});
            }
            ASSERT_EQ(static_cast<int>(buttons.size()), open);
            for (int k = 0; k < open; ++k) {
                EXPECT_EQ(buttons[k].first, k == 0 ? 95 : buttons[k - 1].second + 6) << k;
                EXPECT_EQ(buttons[k].second - buttons[k].first + 1,
                          open <= full_fit ? 100 : (room_end - 95 - 5 * (open - 1)) / open);
                EXPECT_LE(buttons[k].second, room_end - 1);
                EXPECT_EQ(taskbar_slot_at(buttons[k].first, 585), k);
                EXPECT_EQ(taskbar_slot_at(buttons[k].second, 595), k);
            }
            EXPECT_EQ(taskbar_slot_at(buttons[open - 1].second + 1, 585), -1);
        }
    }
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
    desktop_driver_click(80 + 640 - 7, 40 + 19); // the close box's far corner
    EXPECT_FALSE(g_app_wins[0].open);
}

TEST_F(ClickRouting, BrowserIconOpensThePageOnlyWhileThePackageIsMissing) {
    click_icon(kIconFirefox);
    desktop_driver_click(400, 300); // content click: nothing to launch
    EXPECT_EQ(open_count(), 1);
    EXPECT_EQ(g_active_win, slot_of(WIN_BROWSER));
    close_all_windows();

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
    const struct {
        bool menu_open;
        int x, y, hovered;
    } rows[] = {
        {false, 44, 184, 3},
        {false, 400, 300, 0},
        {false, 100, menu_row_y(1), 0}, // menu closed: the plain icon test
        {true, 100, menu_row_y(1), -100 - WIN_TERMINAL},
        {true, 44, menu_row_y(0), -100 - WIN_FILES}, // over the Disk icon too: the entry wins
        {false, 62, 44, 1}};                         // under the browser window
    open_window(WIN_BROWSER);                        // covers x >= 60: windows do not hide icons
    for (const auto& row : rows) {
        g_start_menu_open = row.menu_open;
        desktop_driver_move(row.x, row.y);
        EXPECT_EQ(g_hovered_icon, row.hovered) << row.x << "," << row.y;
    }
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
    desktop_driver_key(kKeyEscape);
    EXPECT_EQ(open_count(), 0);
    EXPECT_EQ(g_active_win, -1);

    g_start_menu_open = true;
    desktop_driver_key(kKeyEscape);
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_TRUE(g_running);
    desktop_driver_key(kKeyEscape); // the empty desktop
    EXPECT_FALSE(g_running);

    g_running = true;
    open_window(WIN_ABOUT);
    desktop_driver_destroy(); // the host window went away
    EXPECT_FALSE(g_running);
}

using WindowTable = DesktopTest;

TEST_F(WindowTable, EveryKindOpensWhollyAboveTheTaskbarInTheLowestFreeSlot) {
    for (int32_t kind = WIN_START_MENU; kind <= WIN_BROWSER; ++kind) {
        open_window(kind);
        const app_window& win = g_app_wins[kind - 1];
        EXPECT_TRUE(win.open && !win.minimized && win.kind == kind);
        EXPECT_EQ(g_active_win, kind - 1);
        EXPECT_TRUE(win.x >= 0 && win.y >= 0 && win.x + win.w <= kDesktopWidth &&
                    win.y + win.h <= kTaskbarArea.y)
            << win.title;
    }
    activate_window(4);
    open_window(42); // the table is full: nothing opens, the active window stays
    EXPECT_EQ(open_count(), 10);
    EXPECT_EQ(g_active_win, 4);

    close_window(2);
    close_window(0);
    EXPECT_EQ(g_active_win, -1);
    open_window(WIN_TERMINAL);
    EXPECT_EQ(g_app_wins[0].kind, WIN_TERMINAL);
    EXPECT_EQ(g_active_win, 0);
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

} // namespace
} // namespace qor::test
