// The explorer: its listing (order, "..", the 128-entry limit, type, size
// and date texts), its path arithmetic, and moving through folders with the
// "^" button, the quick-access pane, list rows and the wheel, never acting
// on a path that does not fit.
#include "desktop/desktop_fixture.h"
#include "desktop/explorer_paths.h"

#include <chrono>

namespace qor::test {
namespace {

// The rectangle explorer windows open with.
constexpr int kX = 80, kY = 40, kW = 640, kH = 480;

void click_at(int dx, int dy) {
    files_handle_click(kX, kY, kW, kH, kX + dx, kY + dy);
}
void click_row(int row) { // counted from the first drawn row
    click_at(300, 90 + 28 * row);
}
void click_entry(const std::string& name) {
    ASSERT_GE(index_of(name), 0) << name << " is not listed";
    click_row(index_of(name) - g_files.scroll);
}
void click_up_button() {
    click_at(15, 37);
}

std::string status_text() {
    char text[kStatusTextSize];
    files_status_text(text);
    return text;
}

// A path written with '/' in the host's own separator.
std::string native(const char* path) {
    std::string text = path;
    for (char& c : text)
        if (c == '/') c = host::kPathSeparator;
    return text;
}

using Explorer = DesktopTest;

TEST_F(Explorer, ListsWhatTheHostEnumeratesUpTo128Entries) {
    files_refresh(); // an empty folder: ".." alone, a folder without size or date
    ASSERT_EQ(g_files.count, 1);
    EXPECT_STREQ(g_files.entries[0].name, "..");
    EXPECT_EQ(g_files.entries[0].is_dir, 1);
    EXPECT_STREQ(g_files.entries[0].type, "上行");
    EXPECT_STREQ(g_files.entries[0].modified, "");
    EXPECT_EQ(status_text(), "项目: 0  |  路径: " + home.string());

    for (int i = 0; i < 200; ++i)
        write_bytes(home / ("f" + std::to_string(i)), "");
    files_navigate(home.string().c_str());
    std::vector<host::folder_entry> host_entries;
    ASSERT_TRUE(host::list_folder(home.string().c_str(), &host_entries));
    int i = 0;
    for (const auto& e : host_entries)
        if (e.name != "." && i < 128) {
            EXPECT_EQ(g_files.entries[i++].name, e.name);
        }
    EXPECT_EQ(g_files.count, 128);
    EXPECT_EQ(status_text(), "项目: 127  |  路径: " + home.string());

    std::snprintf(g_files.path, sizeof g_files.path, "%s", (home / "missing").string().c_str());
    files_refresh();
    EXPECT_EQ(g_files.count, 0);
    EXPECT_EQ(g_files.selected, -1);

    const std::string root = home.root_path().string(); // "/" or a drive's root
    files_navigate(root.c_str());                       // the root has no ".." (and never ".")
    EXPECT_EQ(g_files.path, root);
    EXPECT_EQ(entry_named(".."), nullptr);
    EXPECT_EQ(entry_named("."), nullptr);
}

TEST(ExplorerSizeText, UnitsWithOneDecimalTruncated) {
    const struct {
        uint64_t size;
        const char* text;
    } rows[] = {{0, "0 B"},
                {1023, "1023 B"},
                {1024, "1.0 KB"},
                {1536, "1.5 KB"},
                {1048575, "1024.0 KB"},
                {1048576, "1.0 MB"},
                {1073741824, "1.0 GB"},
                {UINT64_MAX, "17179869184.0 GB"}};
    for (const auto& row : rows) {
        char text[32];
        files_size_text(row.size, text);
        EXPECT_STREQ(text, row.text) << row.size;
    }
}

TEST_F(Explorer, TypesSizesAndDatesOfEntries) {
    write_bytes(home / "report.pdf", std::string(1536, 'x'));
    for (const char* name : {"archive.tar.gz", "README", ".bashrc", "odd.ExtensionLongerThan15"})
        write_bytes(home / name, "");
    std::filesystem::create_directory(home / "photos.d");
    // 2024-02-29 23:59:30 UTC, shown in UTC whatever the local zone.
    const auto when = std::chrono::sys_days{std::chrono::year{2024} / 2 / 29} +
                      std::chrono::hours{23} + std::chrono::minutes{59} + std::chrono::seconds{30};
    std::filesystem::last_write_time(home / "report.pdf", std::chrono::file_clock::from_sys(when));
    files_refresh();
    const struct {
        const char *name, *type;
        int is_dir;
        uint64_t size;
    } rows[] = {
        {"report.pdf", "PDF", 0, 1536}, {"archive.tar.gz", "GZ", 0, 0},
        {"README", "文件", 0, 0},       {".bashrc", "BASHRC", 0, 0},
        {"photos.d", "文件夹", 1, 0},   {"odd.ExtensionLongerThan15", "EXTENSIONLONGER", 0, 0}};
    for (const auto& row : rows) {
        const file_entry* e = entry_named(row.name);
        ASSERT_NE(e, nullptr) << row.name;
        EXPECT_STREQ(e->type, row.type);
        EXPECT_EQ(e->is_dir, row.is_dir) << row.name;
        EXPECT_EQ(e->size, row.size) << row.name;
    }
    EXPECT_STREQ(entry_named("report.pdf")->modified, "2024-02-29 23:59");
}

TEST(ExplorerPaths, ParentAddressAndJoin) {
    const struct {
        const char *path, *parent;
    } parents[] = {
        {"/a/b/c", "/a/b"}, {"/a/b//", "/a"}, {"/a", "/"}, {"/", "<none>"}, {"relative", "<none>"}};
    for (const auto& row : parents) {
        char above[QOR_PATH_MAX];
        const bool has = explorer_parent(native(row.path).c_str(), above);
        EXPECT_EQ(has ? std::string(above) : "<none>", native(row.parent)) << row.path;
    }
    const struct {
        const char *path, *shown;
    } addresses[] = {{"/x/homet", "homet"},
                     {"/x/homet/Documents", "homet > Documents"},
                     {"/x/homet/a/b", "homet > a/b"},
                     {"/x", "/x"},
                     {"/x/homet2", "/x/homet2"}}; // shares the prefix only
    for (const auto& row : addresses) {
        char text[QOR_PATH_MAX];
        explorer_address_text(native(row.path).c_str(), native("/x/homet").c_str(), text);
        EXPECT_EQ(text, native(row.shown)) << row.path;
    }
    char out[QOR_PATH_MAX];
    const std::string folder(250, 'f');
    EXPECT_TRUE(explorer_join(folder.c_str(), std::string(8, 'n').c_str(), out)); // 259 bytes
    EXPECT_EQ(out, folder + host::kPathSeparator + std::string(8, 'n'));
    EXPECT_FALSE(explorer_join(folder.c_str(), std::string(9, 'n').c_str(), out));
    EXPECT_STREQ(out, "");
}

TEST_F(Explorer, UpButtonAndUpEntryGoUpToTheRootAndStopThere) {
    std::filesystem::create_directory(home / "sub");
    files_navigate((home / "sub").string().c_str());
    click_entry("..");
    EXPECT_EQ(std::string(g_files.path), home.string());
    click_up_button(); // from homet to bootsys
    EXPECT_EQ(std::string(g_files.path), bootsys.string());
    EXPECT_EQ(process_folder(), bootsys.string());

    // "/" on Linux, the drive's root ("C:\\") on Windows.
    const std::string root = home.root_path().string();
    for (int depth = 0; depth < 64 && root != g_files.path; ++depth)
        click_up_button();
    EXPECT_EQ(g_files.path, root);
    const int count_at_root = g_files.count;
    g_files.selected = 0;
    click_up_button();
    files_navigate((home / "nope").string().c_str()); // a missing folder changes nothing
    EXPECT_EQ(g_files.path, root);
    EXPECT_EQ(g_files.selected, 0); // nothing happened, not even a refresh
    EXPECT_EQ(g_files.count, count_at_root);
}

TEST_F(Explorer, QuickAccessCreatesAndOpensFoldersIn24PixelBands) {
    const struct {
        int dx, dy, selected;
        const char* folder;
    } clicks[] = {{40, 84 + 48, 2, "Documents"},
                  {119, 78, 0, ""}, // top edge of the pane rows: homet
                  {5, 197, 4, "Pictures"},
                  {5, 198, 4, "Pictures"}}; // below the pane rows: nothing
    for (const auto& c : clicks) {
        click_at(c.dx, c.dy);
        EXPECT_EQ(g_files.sidebar_selected, c.selected) << c.dy;
        const auto folder = *c.folder ? home / c.folder : home;
        EXPECT_EQ(std::string(g_files.path), folder.string());
        EXPECT_TRUE(std::filesystem::is_directory(folder));
    }
}

TEST_F(Explorer, RowMappingAtAndBeyondTheDrawnRows) {
    // Host order puts ".." anywhere on some file systems: a listing whose rows are known.
    files_set_folder_lister([](const char*, std::vector<host::folder_entry>* out) {
        out->assign(20, host::folder_entry{});
        for (int i = 0; i < 20; ++i)
            (*out)[i].name = "file" + std::to_string(i);
        return true;
    });
    files_refresh();
    const struct {
        int dy, selected;
    } clicks[] = {{80 + 28 * 20, -1}, // beyond the listing
                  {77, 0},            // header band: (77 - 80) / 28 is row 0
                  {80 + 28 * 12 + 20, 12},
                  {kH - 5, -1}}; // the status bar where a 14th row would be
    for (const auto& c : clicks) {
        click_at(300, c.dy);
        EXPECT_EQ(g_files.selected, c.selected) << c.dy;
    }
    EXPECT_EQ(open_requests(),
              (std::vector<std::string>{(home / "file0").string(), (home / "file12").string()}));
}

// Folders whose full path exceeds 259 bytes exist on Linux; the explorer must
// never act on a cut path that names something else.
TEST_F(Explorer, PathsThatDoNotFitAreNeverActedOn) {
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

TEST_F(Explorer, WheelScrollsOneRowPerNotchWithinTheListingAlsoAfterRefresh) {
    for (int i = 0; i < 39; ++i)
        write_bytes(home / ("n" + std::to_string(i)), "");
    files_refresh(); // 40 entries with "..", 13 rows shown
    const struct {
        int dx, notches, scroll;
    } steps[] = {{300, -3, 3},  {300, -100, 27},
                 {300, 1, 26},  {50, 5, 26}, // over the quick-access pane
                 {300, 100, 0}, {300, -20, 20}};
    for (const auto& step : steps) {
        files_handle_wheel(kX, kY, kW, kH, kX + step.dx, kY + 200, step.notches);
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
