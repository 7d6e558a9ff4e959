// The desktop's routing of keys, characters, clicks and the wheel to the
// terminal, the editor and the explorer windows.
#include "apps_desktop_fixture.h"

namespace qor::test {
namespace {

constexpr uint32_t kEnter = 0x0D, kBackspaceKey = 0x08, kLeftKey = 0x25, kDeleteKey = 0x2E;

using TerminalRouting = AppsDesktopTest;

TEST_F(TerminalRouting, CharactersAndEnterReachTheActiveTerminal) {
    click_icon(kIconTerm);
    ASSERT_EQ(g_app_wins[g_active_win].kind, WIN_TERMINAL);
    type_keys("echo hi");
    EXPECT_STREQ(g_term.input, "echo hi");
    desktop_driver_key(kEnter);
    EXPECT_STREQ(terminal_get_output(&g_term), "hi");
    EXPECT_STREQ(g_term.input, "");
}

TEST_F(TerminalRouting, OnlyPrintableAsciiCharactersAreTyped) {
    click_icon(kIconTerm);
    for (uint32_t c : {0x09u, 0x0Du, 0x08u, 0x1Bu, 0x7Fu, 0x141u /* low byte 'A' */, 0x61u})
        desktop_driver_character(c);
    EXPECT_STREQ(g_term.input, "Aa");
    desktop_driver_key(kBackspaceKey); // Backspace acts as a key, not as a character
    EXPECT_STREQ(g_term.input, "A");
}

TEST_F(TerminalRouting, EscapeClosesTheTerminalWhichKeepsItsState) {
    click_icon(kIconTerm);
    type_keys("ver");
    desktop_driver_key(kEnter);
    type_keys("draft");
    desktop_driver_key(kVkEscape);
    EXPECT_EQ(slot_of(WIN_TERMINAL), -1);
    EXPECT_EQ(g_active_win, -1);
    type_keys("x"); // no window: nothing typed
    click_icon(kIconTerm);
    EXPECT_STREQ(g_term.input, "draft");
    EXPECT_EQ(g_term.history_count, 1);
}

TEST_F(TerminalRouting, NothingIsForwardedBeforeTheTerminalIsInitialised) {
    g_term_init = false;
    click_icon(kIconTerm);
    type_keys("ls");
    desktop_driver_key(kEnter);
    EXPECT_STREQ(g_term.input, "");
    EXPECT_EQ(g_term.output_count, 5);
}

TEST_F(TerminalRouting, InactiveTerminalReceivesNothing) {
    click_icon(kIconTerm);
    click_icon(kIconCode); // the editor becomes active
    type_keys("z");
    EXPECT_STREQ(g_term.input, "");
}

using EditorRouting = AppsDesktopTest;

TEST_F(EditorRouting, KeysAndCharactersEditTheBufferAndEscapeKeepsTheWindow) {
    click_icon(kIconCode);
    type_keys("ab");
    desktop_driver_key(kLeftKey);
    desktop_driver_key(kDeleteKey);
    EXPECT_STREQ(g_code.lines[5], "a");
    desktop_driver_character(13);
    EXPECT_EQ(g_code.line_count, 9);
    desktop_driver_key(kVkEscape);
    EXPECT_NE(slot_of(WIN_CODE_EDITOR), -1);
    EXPECT_EQ(g_app_wins[g_active_win].kind, WIN_CODE_EDITOR);
}

TEST_F(EditorRouting, FirstInputLoadsTheSample) {
    open_window(WIN_CODE_EDITOR); // not drawn yet
    ASSERT_FALSE(g_code_init);
    desktop_driver_character('x');
    EXPECT_TRUE(g_code_init);
    EXPECT_STREQ(g_code.lines[5], "x");
    EXPECT_STREQ(g_code.lines[0], "#include <qor_api.h>");
}

using ExplorerRouting = AppsDesktopTest;

TEST_F(ExplorerRouting, FilesIconOpensTheWindowWithItsListing) {
    write_bytes(home / "a.txt", "");
    click_icon(kIconFiles);
    ASSERT_EQ(g_app_wins[g_active_win].kind, WIN_FILES);
    EXPECT_NE(entry_named("a.txt"), nullptr);
}

TEST_F(ExplorerRouting, FileManagerMenuEntryRefreshesToo) {
    write_bytes(home / "b.txt", "");
    desktop_driver_click(40, 585);
    desktop_driver_click(100, 380 + 9);
    ASSERT_EQ(g_app_wins[g_active_win].kind, WIN_FILES);
    EXPECT_NE(entry_named("b.txt"), nullptr);
}

TEST_F(ExplorerRouting, ClicksInTheWindowReachTheExplorer) {
    std::filesystem::create_directory(home / "inner");
    click_icon(kIconFiles);
    const app_window win = g_app_wins[g_active_win];
    const int row = index_of("inner");
    ASSERT_GE(row, 0);
    desktop_driver_click(win.x + 300, win.y + 90 + 28 * row);
    EXPECT_EQ(std::string(g_files.path), (home / "inner").string());

    desktop_driver_click(win.x + 15, win.y + 37); // "^"
    EXPECT_EQ(std::string(g_files.path), home.string());
    desktop_driver_click(win.x + 15, win.y + 12); // title bar: nothing for the explorer
    EXPECT_EQ(std::string(g_files.path), home.string());
}

TEST_F(ExplorerRouting, HometWindowAlwaysShowsTheHomeFolder) {
    std::filesystem::create_directory(home / "inner");
    click_icon(kIconHomet);
    const app_window win = g_app_wins[g_active_win];
    ASSERT_EQ(win.kind, WIN_HOMET);
    desktop_driver_click(win.x + 300, win.y + 90 + 28 * index_of("inner"));
    // The click navigated; the drawing that followed went back home.
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.sidebar_selected, 0);
    std::string process_folder;
    ASSERT_TRUE(host::current_folder(&process_folder));
    EXPECT_EQ(process_folder, (home / "inner").string());
}

TEST_F(ExplorerRouting, FileClickInTheWindowAsksTheHostToOpenIt) {
    write_bytes(home / "doc.pdf", "%PDF");
    click_icon(kIconHomet);
    const app_window win = g_app_wins[g_active_win];
    desktop_driver_click(win.x + 300, win.y + 90 + 28 * index_of("doc.pdf"));
    EXPECT_EQ(open_requests(), (std::vector<std::string>{(home / "doc.pdf").string()}));
}

TEST_F(ExplorerRouting, EscapeClosesAnExplorerWindow) {
    click_icon(kIconFiles);
    desktop_driver_key(kVkEscape);
    EXPECT_EQ(slot_of(WIN_FILES), -1);
}

TEST_F(ExplorerRouting, WheelScrollsTheExplorerUnderThePointerOnly) {
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

} // namespace
} // namespace qor::test

namespace qor::test {
namespace {

using TerminalAndExplorer = AppsDesktopTest;

TEST_F(TerminalAndExplorer, RelativeCdResolvesAgainstTheFolderTheExplorerOpened) {
    std::filesystem::create_directories(home / "Music" / "live");
    click_icon(kIconFiles);
    const app_window files = g_app_wins[g_active_win];
    desktop_driver_click(files.x + 300, files.y + 90 + 28 * index_of("Music"));
    ASSERT_EQ(std::string(g_files.path), (home / "Music").string());

    click_icon(kIconTerm);
    type_keys("pwd");
    desktop_driver_key(0x0D);
    EXPECT_EQ(std::string(terminal_get_output(&g_term)),
              home.string()); // cwd is the terminal's own
    type_keys("cd live");
    desktop_driver_key(0x0D);
    EXPECT_EQ(std::string(g_term.cwd), (home / "Music" / "live").string());
}

} // namespace
} // namespace qor::test
