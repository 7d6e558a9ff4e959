// Moving through folders with clicks: "^", the quick-access pane, folder and
// file rows, the homet reset, wheel scrolling, and the refusal of paths that
// do not fit.
#include "explorer_fixture.h"

#include "desktop/explorer_paths.h"

namespace qor::test {
namespace {

std::string process_folder() {
    std::string now;
    EXPECT_TRUE(host::current_folder(&now));
    return now;
}

// A path written with '/' in the host's own separator.
std::string native(const char* path) {
    std::string text = path;
    for (char& c : text)
        if (c == '/') c = host::kPathSeparator;
    return text;
}

std::string address_text(const char* path, const char* home) {
    char text[QOR_PATH_MAX];
    explorer_address_text(native(path).c_str(), native(home).c_str(), text);
    return text;
}

std::string parent_of(const char* path) {
    char above[QOR_PATH_MAX];
    return explorer_parent(native(path).c_str(), above) ? std::string(above)
                                                        : std::string("<none>");
}

TEST(ExplorerPaths, ParentCutsAtTheLastSeparator) {
    EXPECT_EQ(parent_of("/a/b/c"), native("/a/b"));
    EXPECT_EQ(parent_of("/a/b//"), native("/a"));
    EXPECT_EQ(parent_of("/a"), native("/"));
    EXPECT_EQ(parent_of("/"), "<none>");
    EXPECT_EQ(parent_of("relative"), "<none>");
}

TEST(ExplorerPaths, AddressIsHomeRelativeInsideTheHomeFolder) {
    EXPECT_EQ(address_text("/x/homet", "/x/homet"), "homet");
    EXPECT_EQ(address_text("/x/homet/Documents", "/x/homet"), "homet > Documents");
    EXPECT_EQ(address_text("/x/homet/a/b", "/x/homet"), "homet > " + native("a/b"));
    EXPECT_EQ(address_text("/x", "/x/homet"), native("/x"));
    // A sibling that merely shares the prefix is not inside the home folder.
    EXPECT_EQ(address_text("/x/homet2", "/x/homet"), native("/x/homet2"));
}

TEST(ExplorerPaths, JoinRefusesResultsThatDoNotFit) {
    char out[QOR_PATH_MAX];
    EXPECT_TRUE(explorer_join(native("/a").c_str(), "b", out));
    EXPECT_EQ(out, native("/a/b"));
    const std::string folder(250, 'f');
    EXPECT_TRUE(explorer_join(folder.c_str(), std::string(8, 'n').c_str(), out)); // 259 bytes
    EXPECT_FALSE(explorer_join(folder.c_str(), std::string(9, 'n').c_str(), out));
    EXPECT_STREQ(out, "");
}

TEST_F(ExplorerTest, UpButtonInTheHomeFolderGoesToBootsys) {
    files_navigate(home.string().c_str());
    click_up_button();
    EXPECT_EQ(std::string(g_files.path), bootsys.string());
    EXPECT_EQ(process_folder(), bootsys.string());
    EXPECT_EQ(address_text(g_files.path, g_homet_dir), bootsys.string());
    EXPECT_EQ(g_files.scroll, 0);
}

TEST_F(ExplorerTest, UpButtonReachesTheRootAndStopsThere) {
    // "/" on Linux, the drive's root ("C:\\") on Windows.
    const std::string root = home.root_path().string();
    files_navigate(home.string().c_str());
    for (int depth = 0; depth < 64 && root != g_files.path; ++depth)
        click_up_button();
    EXPECT_EQ(g_files.path, root);
    files_refresh();
    const int count_at_root = g_files.count;
    g_files.selected = 0;
    click_up_button();
    EXPECT_EQ(g_files.path, root);
    EXPECT_EQ(g_files.selected, 0); // nothing happened, not even a refresh
    EXPECT_EQ(g_files.count, count_at_root);
}

TEST_F(ExplorerTest, UpEntryGoesUpLikeTheButton) {
    std::filesystem::create_directory(home / "sub");
    files_navigate((home / "sub").string().c_str());
    click_entry("..");
    EXPECT_EQ(std::string(g_files.path), home.string());
}

TEST_F(ExplorerTest, QuickAccessCreatesAndOpensDocuments) {
    ASSERT_FALSE(std::filesystem::exists(home / "Documents"));
    click_quick_access(2);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Documents"));
    EXPECT_EQ(std::string(g_files.path), (home / "Documents").string());
    EXPECT_EQ(g_files.sidebar_selected, 2);
    EXPECT_EQ(address_text(g_files.path, g_homet_dir), "homet > Documents");

    click_quick_access(0);
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.sidebar_selected, 0);
}

TEST_F(ExplorerTest, QuickAccessRowsMapTo24PixelBands) {
    files_handle_click(kX, kY, kW, kH, kX + 119, kY + 78); // top edge of the pane rows
    EXPECT_EQ(g_files.sidebar_selected, 0);
    files_handle_click(kX, kY, kW, kH, kX + 5, kY + 197);
    EXPECT_EQ(g_files.sidebar_selected, 4);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Pictures"));
    files_handle_click(kX, kY, kW, kH, kX + 5, kY + 198); // below the pane rows
    EXPECT_EQ(g_files.sidebar_selected, 4);
}

TEST_F(ExplorerTest, OneClickOpensAFolderAndClearsTheSelection) {
    std::filesystem::create_directory(home / "music");
    files_refresh();
    click_entry("music");
    EXPECT_EQ(std::string(g_files.path), (home / "music").string());
    EXPECT_EQ(process_folder(), (home / "music").string());
    EXPECT_EQ(g_files.selected, -1);
    EXPECT_TRUE(open_requests().empty());
}

TEST_F(ExplorerTest, ClickOnAFileSelectsItAndAsksTheHostToOpenIt) {
    write_bytes(home / "letter.txt", "hi");
    files_refresh();
    click_entry("letter.txt");
    EXPECT_EQ(g_files.selected, index_of("letter.txt"));
    EXPECT_EQ(open_requests(), (std::vector<std::string>{(home / "letter.txt").string()}));
    EXPECT_EQ(std::string(g_files.path), home.string());
}

// Host order puts ".." anywhere on some file systems; these row tests need
// to know which entry lies in which row.
bool twenty_files(const char*, std::vector<host::folder_entry>* out) {
    out->assign(20, host::folder_entry{});
    for (int i = 0; i < 20; ++i)
        (*out)[i].name = "file" + std::to_string(i);
    return true;
}

TEST_F(ExplorerTest, ClicksBeyondTheListingClearTheSelection) {
    files_set_folder_lister(twenty_files);
    files_refresh();
    g_files.selected = 3;
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + 80 + 28 * 20);
    EXPECT_EQ(g_files.selected, -1);
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + 77); // header band: (77-80)/28 is row 0
    EXPECT_EQ(g_files.selected, 0);
    EXPECT_EQ(open_requests(), (std::vector<std::string>{(home / "file0").string()}));
}

TEST_F(ExplorerTest, ClickBelowTheDrawnRowsStillOpensTheEntryAtThatIndex) {
    files_set_folder_lister(twenty_files);
    files_refresh();
    // 14 rows are drawn; this point lies in the status bar, row 14.
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + kH - 5);
    EXPECT_EQ(g_files.selected, 14);
    EXPECT_EQ(open_requests(), (std::vector<std::string>{(home / "file14").string()}));
}

TEST_F(ExplorerTest, HometResetReturnsToTheHomeFolder) {
    std::filesystem::create_directory(home / "sub");
    files_refresh();
    click_entry("sub");
    click_quick_access(3);
    ASSERT_NE(std::string(g_files.path), home.string());
    files_show_home();
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.sidebar_selected, 0);
    EXPECT_NE(entry_named("sub"), nullptr);
    // The process directory stays where the navigation put it.
    EXPECT_EQ(process_folder(), (home / "Downloads").string());
}

TEST_F(ExplorerTest, MissingFolderLeavesEverythingUnchanged) {
    files_navigate(home.string().c_str());
    g_files.scroll = 0;
    g_files.selected = 0;
    files_navigate((home / "nope").string().c_str());
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.selected, 0);
}

// Folders whose full path exceeds 259 bytes exist on Linux; the explorer must
// never act on a cut path that names something else.
class ExplorerLongPathTest : public ExplorerTest {
  protected:
    void SetUp() override {
        ExplorerTest::SetUp();
        long_name = std::string(259 - home.string().size(), 'L'); // home + '/' + name = 260
        std::filesystem::create_directory(home / long_name);
        write_bytes(home / (long_name.substr(1) + "x"), "file whose joined path is 260 bytes");
        // What a cut path would name instead:
        std::filesystem::create_directory(home / long_name.substr(0, long_name.size() - 1));
        files_navigate(home.string().c_str());
    }
    std::string long_name;
};

TEST_F(ExplorerLongPathTest, ClickOnAFolderWhoseJoinedPathDoesNotFitDoesNothing) {
    click_entry(long_name);
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(process_folder(), home.string());
}

TEST_F(ExplorerLongPathTest, ClickOnAFileWhoseJoinedPathDoesNotFitOpensNothing) {
    click_entry(long_name.substr(1) + "x");
    EXPECT_TRUE(open_requests().empty());
}

TEST_F(ExplorerLongPathTest, NavigationToAFolderReadBackTooLongIsUndone) {
    ASSERT_TRUE(host::change_folder(home.string().c_str()));
    files_navigate(long_name.c_str()); // relative: the host accepts it
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(process_folder(), home.string());
}

TEST_F(ExplorerTest, WheelScrollsTheListOneRowPerNotchWithinItsRange) {
    for (int i = 0; i < 39; ++i)
        write_bytes(home / ("n" + std::to_string(i)), "");
    files_refresh(); // 40 entries with "..", 14 rows shown
    const int over_list_x = kX + 300, over_list_y = kY + 200;
    files_handle_wheel(kX, kY, kW, kH, over_list_x, over_list_y, -3);
    EXPECT_EQ(g_files.scroll, 3);
    files_handle_wheel(kX, kY, kW, kH, over_list_x, over_list_y, -100);
    EXPECT_EQ(g_files.scroll, 26);
    files_handle_wheel(kX, kY, kW, kH, over_list_x, over_list_y, 1);
    EXPECT_EQ(g_files.scroll, 25);

    // The click mapping honours the scroll position.
    click_row(0);
    EXPECT_EQ(g_files.selected, 25);

    files_handle_wheel(kX, kY, kW, kH, kX + 50, over_list_y, 5); // over the quick-access pane
    EXPECT_EQ(g_files.scroll, 25);
    files_handle_wheel(kX, kY, kW, kH, over_list_x, over_list_y, 100);
    EXPECT_EQ(g_files.scroll, 0);
}

TEST_F(ExplorerTest, RefreshKeepsTheScrollPositionWithinTheShorterListing) {
    for (int i = 0; i < 39; ++i)
        write_bytes(home / ("n" + std::to_string(i)), "");
    files_refresh();
    files_handle_wheel(kX, kY, kW, kH, kX + 300, kY + 200, -20);
    ASSERT_EQ(g_files.scroll, 20);
    for (int i = 0; i < 20; ++i)
        std::filesystem::remove(home / ("n" + std::to_string(i)));
    files_refresh(); // 20 entries: at most 6 rows down
    EXPECT_EQ(g_files.scroll, 6);
}

} // namespace
} // namespace qor::test
