// Click, hover and key routing of the desktop, driven through the same
// messages the host window sends.
#include <cstring>

#include <qoros/qor_terminal.h>

#include "desktop/desktop_icons.h"
#include "desktop/desktop_input.h"
#include "desktop_fixture.h"
#include "support/scratch.h"

namespace qor::test {
namespace {

constexpr int ICON_X = 44;
constexpr int START_X = 40, START_Y = 585;
constexpr uint32_t VK_ESCAPE = 0x1B;

int icon_center_y(int icon_id) {
    for (const desktop_icon& icon : g_icons) {
        if (icon.id == icon_id) return icon.y + icon.h / 2;
    }
    return -1;
}

int menu_row_y(int entry) {
    return 380 + 20 * entry + 9;
}

using IconHitTest = DesktopTest;

TEST_F(IconHitTest, BoxesExcludeTheirRightAndBottomEdges) {
    EXPECT_EQ(hit_test_icon(20, 20), 1);
    EXPECT_EQ(hit_test_icon(67, 67), 1);
    EXPECT_EQ(hit_test_icon(68, 20), 0);
    EXPECT_EQ(hit_test_icon(19, 20), 0);
    EXPECT_EQ(hit_test_icon(30, 549), 7); // the Apps box is 40 high
    EXPECT_EQ(hit_test_icon(30, 550), 0);
    EXPECT_EQ(hit_test_icon(30, 300), 8); // Firefox sits in the fifth row
}

TEST(PointerMapping, ScalesClientPositionsToTheFramebufferTruncating) {
    const framebuffer_point half = map_to_framebuffer(799, 599, 1600, 1200);
    EXPECT_EQ(half.x, 399);
    EXPECT_EQ(half.y, 299);
    const framebuffer_point odd = map_to_framebuffer(100, 100, 801, 601);
    EXPECT_EQ(odd.x, 99);
    EXPECT_EQ(odd.y, 99);
    const framebuffer_point unscaled = map_to_framebuffer(-5, 700, 0, 600);
    EXPECT_EQ(unscaled.x, -5);
    EXPECT_EQ(unscaled.y, 700);
}

using ClickRouting = DesktopTest;

TEST_F(ClickRouting, EachIconOpensItsKind) {
    const struct {
        int icon;
        int32_t kind;
    } rows[] = {{1, WIN_FILES},        {2, WIN_TERMINAL}, {3, WIN_QORGET},    {4, WIN_CODE_EDITOR},
                {5, WIN_DISK_MANAGER}, {6, WIN_HOMET},    {7, WIN_APP_STORE}, {8, WIN_BROWSER}};
    for (const auto& row : rows) {
        desktop_driver_click(ICON_X, icon_center_y(row.icon));
        const int slot = slot_of(row.kind);
        ASSERT_GE(slot, 0) << "icon " << row.icon;
        EXPECT_EQ(g_active_win, slot);
        close_window(slot);
    }
}

TEST_F(ClickRouting, ClientCoordinatesAreScaledBeforeRouting) {
    qor::host::window_message click{};
    click.kind = qor::host::window_message_kind::left_button_down;
    click.x = START_X / 2;
    click.y = START_Y / 2;
    click.client_w = 400;
    click.client_h = 300;
    desktop_handle_message(click);
    EXPECT_TRUE(g_start_menu_open);
}

TEST_F(ClickRouting, StartButtonTogglesTheMenu) {
    desktop_driver_click(START_X, START_Y);
    EXPECT_TRUE(g_start_menu_open);
    desktop_driver_click(START_X, START_Y);
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_EQ(open_count(), 0);
}

TEST_F(ClickRouting, MenuEntryOpensItsKindAndClosesTheMenu) {
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(100, menu_row_y(8));
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_GE(slot_of(WIN_ABOUT), 0);
}

TEST_F(ClickRouting, ClickBetweenEntryBoxesSelectsThatRow) {
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(6, 380 + 20 * 3 + 19); // left margin, gap below the fourth box
    EXPECT_GE(slot_of(WIN_CODE_EDITOR), 0);
    EXPECT_EQ(open_count(), 1);
}

TEST_F(ClickRouting, ClickOnEmptyDesktopOnlyClosesTheOpenMenu) {
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(400, 300);
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_EQ(open_count(), 0);
}

TEST_F(ClickRouting, ClickOutsideTheOpenMenuGoesOnToTheIconBelow) {
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(ICON_X, icon_center_y(1));
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_GE(slot_of(WIN_FILES), 0);
}

TEST_F(ClickRouting, OpenMenuTakesClicksOverTheIconsBeneathIt) {
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(ICON_X, menu_row_y(1)); // over the Disk icon, inside the menu
    EXPECT_GE(slot_of(WIN_TERMINAL), 0);
    EXPECT_EQ(slot_of(WIN_DISK_MANAGER), -1);
}

TEST_F(ClickRouting, TaskbarButtonMinimisesTheActiveWindowAndRestoresIt) {
    open_window(WIN_ABOUT);
    desktop_driver_click(150, START_Y);
    EXPECT_TRUE(g_app_wins[0].minimized);
    EXPECT_EQ(g_active_win, -1);
    desktop_driver_click(150, START_Y);
    EXPECT_FALSE(g_app_wins[0].minimized);
    EXPECT_EQ(g_active_win, 0);
}

TEST_F(ClickRouting, TaskbarButtonOfAnInactiveWindowActivatesIt) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    desktop_driver_click(95, START_Y); // left edge of the first button
    EXPECT_EQ(g_active_win, 0);
    desktop_driver_click(95 + 105 + 99, START_Y); // right edge of the second
    EXPECT_EQ(g_active_win, 1);
    EXPECT_FALSE(g_app_wins[1].minimized);
    desktop_driver_click(95 + 100, START_Y); // the gap between buttons
    EXPECT_EQ(g_active_win, 1);
}

TEST_F(ClickRouting, MinimisedWindowKeepsItsButtonAndIsSkippedByClicks) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    desktop_driver_click(95 + 105 + 50, START_Y); // minimise About
    ASSERT_TRUE(g_app_wins[1].minimized);
    desktop_driver_click(400, 300); // inside both rectangles
    EXPECT_EQ(g_active_win, 0);
    EXPECT_TRUE(g_app_wins[1].minimized);
    EXPECT_EQ(taskbar_slot_at(95 + 105 + 50, START_Y), 1);
}

TEST_F(ClickRouting, ClickOnAnOverlapGoesToTheActiveWindow) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    desktop_driver_click(90, 500); // only Files lies here
    ASSERT_EQ(g_active_win, 0);
    desktop_driver_click(400, 300); // About (slot 1) and Files overlap here
    EXPECT_EQ(g_active_win, 0);
}

TEST_F(ClickRouting, WithoutAnActiveWindowTheHighestSlotIsOnTop) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    g_active_win = -1;
    desktop_driver_click(400, 300);
    EXPECT_EQ(g_active_win, 1);
}

TEST_F(ClickRouting, TitleBarClickOnlyActivates) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);
    desktop_driver_click(90, 50);
    EXPECT_EQ(g_active_win, 0);
    EXPECT_EQ(g_app_wins[0].x, 80);
    EXPECT_EQ(g_app_wins[0].y, 40);
    EXPECT_EQ(open_count(), 2);
}

TEST_F(ClickRouting, CloseBoxClosesAndLeavesNoWindowActive) {
    open_window(WIN_FILES);
    open_window(WIN_ABOUT);                    // 200, 150, 400 x 280
    desktop_driver_click(200 + 400 - 25, 160); // just left of the box: title bar
    EXPECT_TRUE(g_app_wins[1].open);
    desktop_driver_click(200 + 400 - 24, 150 + 4);
    EXPECT_FALSE(g_app_wins[1].open);
    EXPECT_EQ(g_active_win, -1);
    EXPECT_TRUE(g_app_wins[0].open);
}

TEST_F(ClickRouting, CloseBoxCoveredByTheActiveWindowIsNotHit) {
    open_window(WIN_ABOUT);
    open_window(WIN_FILES); // 80, 40, 640 x 480: covers About's close box
    desktop_driver_click(200 + 400 - 7, 150 + 19);
    EXPECT_TRUE(g_app_wins[0].open);
    EXPECT_EQ(g_active_win, 1);
}

TEST_F(ClickRouting, BrowserIconOpensThePageWhenThePackageIsMissing) {
    desktop_driver_click(ICON_X, icon_center_y(8));
    const int slot = slot_of(WIN_BROWSER);
    ASSERT_GE(slot, 0);
    desktop_driver_click(400, 300); // content click: nothing to launch
    EXPECT_EQ(open_count(), 1);
    EXPECT_EQ(g_active_win, slot);
}

TEST_F(ClickRouting, InstalledBrowserPackageIsLaunchedInsteadOfThePage) {
    const auto package = fresh_folder() / "firefox.qpa";
    write_bytes(package, "not really a package");
    std::strncpy(g_firefox_qpa, package.c_str(), QOR_PATH_MAX - 1);
    desktop_driver_click(ICON_X, icon_center_y(8));
    desktop_driver_click(START_X, START_Y);
    desktop_driver_click(100, menu_row_y(4));
    EXPECT_EQ(open_count(), 0);
    EXPECT_FALSE(g_start_menu_open);
}

using HoverTracking = DesktopTest;

TEST_F(HoverTracking, PointerNamesTheIconOrTheMenuEntryKind) {
    desktop_driver_move(ICON_X, icon_center_y(3));
    EXPECT_EQ(g_hovered_icon, 3);
    desktop_driver_move(400, 300);
    EXPECT_EQ(g_hovered_icon, 0);
    desktop_driver_move(100, menu_row_y(1)); // menu closed: the plain icon test
    EXPECT_EQ(g_hovered_icon, 0);
    g_start_menu_open = true;
    desktop_driver_move(100, menu_row_y(1));
    EXPECT_EQ(g_hovered_icon, -100 - WIN_TERMINAL);
    desktop_driver_move(ICON_X, menu_row_y(0)); // over the Disk icon too: the entry wins
    EXPECT_EQ(g_hovered_icon, -100 - WIN_FILES);
}

TEST_F(HoverTracking, WindowsOverAnIconDoNotHideIt) {
    open_window(WIN_BROWSER); // covers x >= 60
    desktop_driver_move(62, icon_center_y(1));
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

TEST_F(KeyRouting, EscapeOnTheEmptyDesktopEndsTheRun) {
    desktop_driver_key(VK_ESCAPE);
    EXPECT_FALSE(g_running);
}

TEST_F(KeyRouting, EscapeWithTheMenuOpenOnlyClosesTheMenu) {
    g_start_menu_open = true;
    desktop_driver_key(VK_ESCAPE);
    EXPECT_FALSE(g_start_menu_open);
    EXPECT_TRUE(g_running);
}

TEST_F(KeyRouting, EscapeClosesTheActiveWindowButNotTheEditor) {
    open_window(WIN_FILES);
    desktop_driver_key(VK_ESCAPE);
    EXPECT_EQ(slot_of(WIN_FILES), -1);
    EXPECT_EQ(g_active_win, -1);
    EXPECT_TRUE(g_running);

    open_window(WIN_CODE_EDITOR);
    desktop_driver_key(VK_ESCAPE);
    EXPECT_GE(slot_of(WIN_CODE_EDITOR), 0);
    EXPECT_TRUE(g_running);
}

TEST_F(KeyRouting, EscapeClosesAMinimisedActiveEditor) {
    open_window(WIN_CODE_EDITOR);
    g_app_wins[0].minimized = 1; // active but minimised: the plain close path
    desktop_driver_key(VK_ESCAPE);
    EXPECT_FALSE(g_app_wins[0].open);
}

TEST_F(KeyRouting, OtherKeysAndCharactersLeaveFixedPagesAlone) {
    open_window(WIN_ABOUT);
    desktop_driver_key(0x41);
    desktop_driver_character('a');
    desktop_driver_character(27);
    EXPECT_TRUE(g_app_wins[0].open);
    EXPECT_EQ(g_active_win, 0);
}

TEST_F(KeyRouting, TerminalTakesPrintableAsciiAndEscapeClosesIt) {
    terminal_init(&g_term, fresh_folder().c_str());
    g_term_init = true;
    open_window(WIN_TERMINAL);
    for (uint32_t c : {0x6Cu, 0x09u, 0x7Fu, 0x1Bu, 0x73u, 0x80u})
        desktop_driver_character(c);
    EXPECT_STREQ(g_term.input, "ls");
    desktop_driver_key(0x25); // Left reaches the terminal as a key
    EXPECT_EQ(g_term.cursor, 1);
    desktop_driver_key(VK_ESCAPE);
    EXPECT_EQ(slot_of(WIN_TERMINAL), -1);
    EXPECT_STREQ(g_term.input, "ls");
}

TEST_F(KeyRouting, MinimisedTerminalGetsNoCharacters) {
    terminal_init(&g_term, fresh_folder().c_str());
    g_term_init = true;
    open_window(WIN_TERMINAL);
    g_app_wins[0].minimized = 1;
    desktop_driver_character('x');
    EXPECT_EQ(g_term.input_len, 0);
}

TEST_F(KeyRouting, DestroyMessageEndsTheRun) {
    open_window(WIN_ABOUT);
    desktop_driver_destroy();
    EXPECT_FALSE(g_running);
}

} // namespace
} // namespace qor::test
