// The explorer's listing of a folder: order, the ".." entry, the 128-entry
// limit and the type, size and date texts.
#include "explorer_fixture.h"

#include <chrono>

namespace qor::test {
namespace {

TEST_F(ExplorerTest, ListsEntriesInTheOrderTheHostEnumeratesThem) {
    files_refresh(); // an empty folder: ".." alone, a folder without size or date
    ASSERT_EQ(listed_names(), (std::vector<std::string>{".."}));
    const file_entry& up = g_files.entries[0];
    EXPECT_EQ(up.is_dir, 1);
    EXPECT_EQ(up.size, 0u);
    EXPECT_STREQ(up.type, "上行");
    EXPECT_STREQ(up.modified, "");
    EXPECT_EQ(status_text(), "项目: 0  |  路径: " + home.string());

    for (const char* name : {"b.txt", "a.txt", "c", "zz.md"})
        write_bytes(home / name, "1");
    std::filesystem::create_directory(home / "folder");
    files_navigate(home.string().c_str());
    std::vector<host::folder_entry> host_entries;
    ASSERT_TRUE(host::list_folder(home.string().c_str(), &host_entries));
    std::vector<std::string> expected;
    for (const auto& e : host_entries)
        if (e.name != ".") expected.push_back(e.name);
    EXPECT_EQ(listed_names(), expected);
    EXPECT_EQ(status_text(), "项目: 5  |  路径: " + home.string());
}

TEST_F(ExplorerTest, AtMost128EntriesAndNoneForAnUnreadableFolder) {
    for (int i = 0; i < 200; ++i)
        write_bytes(home / ("f" + std::to_string(i)), "");
    files_refresh();
    EXPECT_EQ(g_files.count, 128);
    EXPECT_EQ(status_text(), "项目: 127  |  路径: " + home.string());

    std::snprintf(g_files.path, sizeof g_files.path, "%s", (home / "missing").string().c_str());
    files_refresh();
    EXPECT_EQ(g_files.count, 0);
    EXPECT_EQ(g_files.selected, -1);
    EXPECT_EQ(status_text().rfind("项目: 0  |", 0), 0u);

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

TEST_F(ExplorerTest, TypesSizesAndDatesOfEntries) {
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
        const char* name;
        const char* type;
        int is_dir;
        uint64_t size;
    } rows[] = {{"report.pdf", "PDF", 0, 1536},
                {"archive.tar.gz", "GZ", 0, 0},
                {"README", "文件", 0, 0},
                {".bashrc", "BASHRC", 0, 0},
                {"odd.ExtensionLongerThan15", "EXTENSIONLONGER", 0, 0},
                {"photos.d", "文件夹", 1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const file_entry* e = entry_named(row.name);
        ASSERT_NE(e, nullptr);
        EXPECT_STREQ(e->type, row.type);
        EXPECT_EQ(e->is_dir, row.is_dir);
        EXPECT_EQ(e->size, row.size);
    }
    EXPECT_STREQ(entry_named("report.pdf")->modified, "2024-02-29 23:59");
}

} // namespace
} // namespace qor::test
