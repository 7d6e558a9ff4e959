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

TEST(ExplorerPaths, ParentAddressAndJoin) {
    const struct {
        const char* path;
        const char* parent;
    } parents[] = {
        {"/a/b/c", "/a/b"}, {"/a/b//", "/a"}, {"/a", "/"}, {"/", "<none>"}, {"relative", "<none>"}};
    for (const auto& row : parents) {
        char above[QOR_PATH_MAX];
        const std::string parent = explorer_parent(native(row.path).c_str(), above)
                                       ? std::string(above)
                                       : std::string("<none>");
        EXPECT_EQ(parent, native(row.parent)) << row.path;
    }

    const struct {
        const char* path;
        const char* shown;
    } addresses[] = {{"/x/homet", "homet"},
                     {"/x/homet/Documents", "homet > Documents"},
                     {"/x/homet/a/b", "homet > a/b"},
                     {"/x", "/x"},
                     {"/x/homet2", "/x/homet2"}}; // shares the prefix only
    for (const auto& row : addresses)
        EXPECT_EQ(address_text(row.path, "/x/homet"), native(row.shown)) << row.path;

    char out[QOR_PATH_MAX];
    EXPECT_TRUE(explorer_join(native("/a").c_str(), "b", out));
    EXPECT_EQ(out, native("/a/b"));
    const std::string folder(250, 'f');
    EXPECT_TRUE(explorer_join(folder.c_str(), std::string(8, 'n').c_str(), out)); // 259 bytes
    EXPECT_FALSE(explorer_join(folder.c_str(), std::string(9, 'n').c_str(), out));
    EXPECT_STREQ(out, "");
}

TEST_F(ExplorerTest, UpButtonAndUpEntryGoUpToTheRootAndStopThere) {
    std::filesystem::create_directory(home / "sub");
    files_navigate((home / "sub").string().c_str());
    click_entry("..");
    EXPECT_EQ(std::string(g_files.path), home.string());
    click_up_button(); // from homet to bootsys
    EXPECT_EQ(std::string(g_files.path), bootsys.string());
    EXPECT_EQ(process_folder(), bootsys.string());
    EXPECT_EQ(address_text(g_files.path, g_homet_dir), bootsys.string());
    EXPECT_EQ(g_files.scroll, 0);

    // "/" on Linux, the drive's root ("C:\\") on Windows.
    const std::string root = home.root_path().string();
    for (int depth = 0; depth < 64 && root != g_files.path; ++depth)
        click_up_button();
    EXPECT_EQ(g_files.path, root);
    const int count_at_root = g_files.count;
    g_files.selected = 0;
    click_up_button();
    EXPECT_EQ(g_files.path, root);
    EXPECT_EQ(g_files.selected, 0); // nothing happened, not even a refresh
    EXPECT_EQ(g_files.count, count_at_root);

    files_navigate((home / "nope").string().c_str()); // a missing folder changes nothing
    EXPECT_EQ(g_files.path, root);
    EXPECT_EQ(g_files.selected, 0);
}

TEST_F(ExplorerTest, QuickAccessCreatesAndOpensFoldersIn24PixelBands) {
    ASSERT_FALSE(std::filesystem::exists(home / "Documents"));
    click_quick_access(2);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Documents"));
    EXPECT_EQ(std::string(g_files.path), (home / "Documents").string());
    EXPECT_EQ(g_files.sidebar_selected, 2);
    EXPECT_EQ(address_text(g_files.path, g_homet_dir), "homet > Documents");

    files_handle_click(kX, kY, kW, kH, kX + 119, kY + 78); // top edge of the pane rows
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.sidebar_selected, 0);
    files_handle_click(kX, kY, kW, kH, kX + 5, kY + 197);
    EXPECT_EQ(g_files.sidebar_selected, 4);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Pictures"));
    files_handle_click(kX, kY, kW, kH, kX + 5, kY + 198); // below the pane rows
    EXPECT_EQ(g_files.sidebar_selected, 4);
}

TEST_F(ExplorerTest, OneClickOpensAFolderOrAsksTheHostToOpenAFile) {
    std::filesystem::create_directory(home / "music");
    write_bytes(home / "letter.txt", "hi");
    files_refresh();
    click_entry("letter.txt");
    EXPECT_EQ(g_files.selected, index_of("letter.txt"));
    EXPECT_EQ(open_requests(), (std::vector<std::string>{(home / "letter.txt").string()}));
    EXPECT_EQ(std::string(g_files.path), home.string());

    click_entry("music");
    EXPECT_EQ(std::string(g_files.path), (home / "music").string());
    EXPECT_EQ(process_folder(), (home / "music").string());
    EXPECT_EQ(g_files.selected, -1);
    EXPECT_EQ(open_requests().size(), 1u);

    // The homet reset goes back home; the process directory stays.
    files_show_home();
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(g_files.sidebar_selected, 0);
    EXPECT_NE(entry_named("music"), nullptr);
    EXPECT_EQ(process_folder(), (home / "music").string());
}

// Host order puts ".." anywhere on some file systems; the row tests use a
// listing whose rows are known.
bool twenty_files(const char*, std::vector<host::folder_entry>* out) {
    out->assign(20, host::folder_entry{});
    for (int i = 0; i < 20; ++i)
        (*out)[i].name = "file" + std::to_string(i);
    return true;
}

TEST_F(ExplorerTest, RowMappingAtAndBeyondTheDrawnRows) {
    files_set_folder_lister(twenty_files);
    files_refresh();
    g_files.selected = 3;
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + 80 + 28 * 20); // beyond the listing
    EXPECT_EQ(g_files.selected, -1);
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + 77); // header band: (77-80)/28 is row 0
    EXPECT_EQ(g_files.selected, 0);
    // 13 whole rows are drawn: the last one is picked, the status bar below
    // it (where a 14th row would be) picks nothing and opens nothing.
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + 80 + 28 * 12 + 20);
    EXPECT_EQ(g_files.selected, 12);
    files_handle_click(kX, kY, kW, kH, kX + 300, kY + kH - 5);
    EXPECT_EQ(g_files.selected, -1);
    EXPECT_EQ(open_requests(),
              (std::vector<std::string>{(home / "file0").string(), (home / "file12").string()}));
}

// Folders whose full path exceeds 259 bytes exist on Linux; the explorer must
// never act on a cut path that names something else.
TEST_F(ExplorerTest, PathsThatDoNotFitAreNeverActedOn) {
    const std::string long_name(259 - home.string().size(), 'L'); // home + '/' + name = 260
    std::filesystem::create_directory(home / long_name);
    const std::string long_file = long_name.substr(1) + "x";
    write_bytes(home / long_file, "file whose joined path is 260 bytes");
    // What a cut path would name instead:
    std::filesystem::create_directory(home / long_name.substr(0, long_name.size() - 1));
    files_navigate(home.string().c_str());

    click_entry(long_name);
    click_entry(long_file);
    EXPECT_TRUE(open_requests().empty());
    files_navigate(long_name.c_str()); // relative: the host accepts it, the read-back does not fit
    EXPECT_EQ(std::string(g_files.path), home.string());
    EXPECT_EQ(process_folder(), home.string());
}

TEST_F(ExplorerTest, WheelScrollsOneRowPerNotchWithinTheListingAlsoAfterRefresh) {
    for (int i = 0; i < 39; ++i)
        write_bytes(home / ("n" + std::to_string(i)), "");
    files_refresh(); // 40 entries with "..", 13 rows shown
    const int list_x = kX + 300, list_y = kY + 200;
    const struct {
        int x, notches, scroll;
    } steps[] = {{list_x, -3, 3},  {list_x, -100, 27},
                 {list_x, 1, 26},  {kX + 50, 5, 26}, // over the quick-access pane
                 {list_x, 100, 0}, {list_x, -20, 20}};
    for (const auto& step : steps) {
        files_handle_wheel(kX, kY, kW, kH, step.x, list_y, step.notches);
        EXPECT_EQ(g_files.scroll, step.scroll) << step.notches;
    }
    click_row(0); // the click mapping honours the scroll position
    EXPECT_EQ(g_files.selected, 20);

    for (int i = 0; i < 20; ++i)
        std::filesystem::remove(home / ("n" + std::to_string(i)));
    files_refresh(); // 20 entries: at most 7 rows down
    EXPECT_EQ(g_files.scroll, 7);
}

} // namespace
} // namespace qor::test
