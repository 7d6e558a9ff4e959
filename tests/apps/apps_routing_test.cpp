// The desktop's routing of keys, characters, clicks and the wheel to the
// terminal, the editor and the explorer windows.
#include "desktop/desktop_fixture.h"

namespace qor::test {
namespace {

using AppsRouting = DesktopTest;

TEST_F(AppsRouting, PrintableAsciiAndKeysReachTheActiveShownTerminalOnly) {
    click_icon(kIconTerm);
    // Only the low byte counts: 0x141 types 'A'; controls and 0x80 type nothing.
    for (uint32_t c :
         {0x6Cu, 0x09u, 0x0Du, 0x08u, 0x7Fu, 0x1Bu, 0x141u, 0x80u, 0x20u, 0x7Eu, 0x73u})
        desktop_driver_character(c);
    EXPECT_STREQ(g_term.input, "lA ~s");
    desktop_driver_key(kKeyLeft);
    desktop_driver_key(kKeyBackspace);
    EXPECT_STREQ(g_term.input, "lA s");
    desktop_driver_key(kKeyEnter);
    EXPECT_STREQ(g_term.input, "");
    EXPECT_EQ(g_term.history_count, 1);

    type_keys("draft");
    g_app_wins[g_active_win].minimized = 1;
    type_keys("x");
    click_icon(kIconCode); // the editor becomes active
    type_keys("z");
    EXPECT_STREQ(g_term.input, "draft");
    click_icon(kIconTerm);
    desktop_driver_key(kKeyEscape); // closes the terminal, which keeps its state
    EXPECT_EQ(slot_of(WIN_TERMINAL), -1);
    type_keys("x");
    click_icon(kIconTerm);
    EXPECT_STREQ(g_term.input, "draft");

    g_term_init = false; // nothing is forwarded before the terminal is set up
    type_keys("ls");
    desktop_driver_key(kKeyEnter);
    EXPECT_STREQ(g_term.input, "draft");
}

TEST_F(AppsRouting, EditorLoadsTheSampleOnFirstInputAndKeepsEscape) {
    open_window(WIN_CODE_EDITOR); // not drawn yet
    ASSERT_FALSE(g_code_init);
    type_keys("ab");
    EXPECT_STREQ(g_code.lines[0], "#include <qor_api.h>");
    desktop_driver_key(kKeyLeft);
    desktop_driver_key(kKeyDelete);
    EXPECT_STREQ(g_code.lines[5], "a");
    desktop_driver_character(13);
    EXPECT_EQ(g_code.line_count, 9);
    desktop_driver_key(kKeyEscape);
    EXPECT_EQ(g_app_wins[g_active_win].kind, WIN_CODE_EDITOR);
    g_app_wins[g_active_win].minimized = 1; // unless it is minimised while active
    desktop_driver_key(kKeyEscape);
    EXPECT_EQ(slot_of(WIN_CODE_EDITOR), -1);
}

TEST_F(AppsRouting, ExplorerWindowsListAfreshAndTakeClicks) {
    std::filesystem::create_directory(home / "inner");
    write_bytes(home / "inner" / "doc.pdf", "%PDF");
    desktop_driver_click(40, 585);
    desktop_driver_click(100, 380 + 9); // "File Manager"
    const app_window win = g_app_wins[g_active_win];
    click_entry_in_window("inner");
    EXPECT_EQ(std::string(g_files.path), (home / "inner").string());
    click_entry_in_window("doc.pdf");
    EXPECT_EQ(open_requests(), (std::vector<std::string>{(home / "inner" / "doc.pdf").string()}));
    EXPECT_EQ(g_files.selected, index_of("doc.pdf"));
    desktop_driver_click(win.x + 15, win.y + 12); // title bar: nothing for the explorer
    EXPECT_EQ(std::string(g_files.path), (home / "inner").string());
    desktop_driver_click(win.x + 15, win.y + 37); // "^"
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.selected, -1);

    write_bytes(home / "b.txt", "");
    desktop_driver_key(kKeyEscape);
    click_icon(kIconFiles);
    EXPECT_NE(entry_named("b.txt"), nullptr);
}

TEST_F(AppsRouting, HometWindowAlwaysShowsTheHomeFolder) {
    std::filesystem::create_directory(home / "inner");
    click_icon(kIconHomet);
    click_entry_in_window("inner");
    // The click navigated; the drawing that followed went back home.
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.sidebar_selected, 0);
    EXPECT_EQ(process_folder(), (home / "inner").string());
}

TEST_F(AppsRouting, WheelScrollsTheExplorerUnderThePointerOnly) {
    for (int i = 0; i < 30; ++i)
        write_bytes(home / ("f" + std::to_string(i)), "");
    click_icon(kIconFiles);
    const app_window files = g_app_wins[g_active_win];
    desktop_driver_wheel(files.x + 300, files.y + 200, -4);
    EXPECT_EQ(g_files.scroll, 4);

    click_icon(kIconTerm); // the terminal (100, 60, 600, 400) now lies on top
    desktop_driver_wheel(files.x + 300, files.y + 200, -4);
    EXPECT_EQ(g_files.scroll, 4);
    desktop_driver_wheel(files.x + 300, files.y + 460, -4); // below the terminal, over the list
    EXPECT_EQ(g_files.scroll, 8);
    desktop_driver_wheel(30, 30, 10); // the desktop
    EXPECT_EQ(g_files.scroll, 8);
}

TEST_F(AppsRouting, RelativeCdResolvesAgainstTheFolderTheExplorerOpened) {
    std::filesystem::create_directories(home / "Music" / "live");
    click_icon(kIconFiles);
    click_entry_in_window("Music");
    click_icon(kIconTerm);
    type_keys("pwd");
    desktop_driver_key(kKeyEnter);
    EXPECT_EQ(std::string(terminal_get_output(&g_term)), home.string()); // the terminal's own
    type_keys("cd live");
    desktop_driver_key(kKeyEnter);
    EXPECT_EQ(std::string(g_term.cwd), (home / "Music" / "live").string());
}

} // namespace
} // namespace qor::test
