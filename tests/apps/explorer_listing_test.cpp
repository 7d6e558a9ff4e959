// The explorer's listing of a folder: order, the ".." entry, the 128-entry
// limit and the type, size and date texts.
#include "explorer_fixture.h"

#include <algorithm>
#include <chrono>

namespace qor::test {
namespace {

std::string size_text(uint64_t size) {
    char text[32];
    files_size_text(size, text);
    return text;
}

TEST_F(ExplorerTest, ListsEntriesInTheOrderTheHostEnumeratesThem) {
    for (const char* name : {"b.txt", "a.txt", "c", "zz.md"})
        write_bytes(home / name, "1");
    std::filesystem::create_directory(home / "folder");
    files_navigate(home.c_str());

    std::vector<host::folder_entry> host_entries;
    ASSERT_TRUE(host::list_folder(home.c_str(), &host_entries));
    std::vector<std::string> expected;
    for (const auto& e : host_entries)
        if (e.name != ".") expected.push_back(e.name);
    EXPECT_EQ(listed_names(), expected);
    EXPECT_EQ(g_files.count, 6);
    EXPECT_EQ(status_text(), "项目: 5  |  路径: " + home.string());
}

TEST_F(ExplorerTest, UpEntryIsAFolderWithoutSizeOrDate) {
    files_refresh();
    ASSERT_EQ(listed_names(), (std::vector<std::string>{".."}));
    const file_entry& up = g_files.entries[0];
    EXPECT_EQ(up.is_dir, 1);
    EXPECT_EQ(up.size, 0u);
    EXPECT_STREQ(up.type, "上行");
    EXPECT_STREQ(up.modified, "");
    EXPECT_EQ(status_text(), "项目: 0  |  路径: " + home.string());
}

TEST_F(ExplorerTest, AtMost128EntriesAreListed) {
    for (int i = 0; i < 200; ++i)
        write_bytes(home / ("f" + std::to_string(i)), "");
    files_refresh();
    EXPECT_EQ(g_files.count, 128);
    EXPECT_EQ(status_text(), "项目: 127  |  路径: " + home.string());
}

TEST_F(ExplorerTest, UnreadableFolderGivesAnEmptyListing) {
    files_refresh();
    ASSERT_GT(g_files.count, 0);
    std::snprintf(g_files.path, sizeof g_files.path, "%s", (home / "missing").c_str());
    files_refresh();
    EXPECT_EQ(g_files.count, 0);
    EXPECT_EQ(g_files.selected, -1);
    EXPECT_EQ(status_text().rfind("项目: 0  |", 0), 0u);
}

TEST_F(ExplorerTest, SizeTexts) {
    EXPECT_EQ(size_text(0), "0 B");
    EXPECT_EQ(size_text(1023), "1023 B");
    EXPECT_EQ(size_text(1024), "1.0 KB");
    EXPECT_EQ(size_text(1536), "1.5 KB");
    EXPECT_EQ(size_text(1048575), "1024.0 KB");
    EXPECT_EQ(size_text(1048576), "1.0 MB");
    EXPECT_EQ(size_text(1073741824), "1.0 GB");
    EXPECT_EQ(size_text(UINT64_MAX), "17179869184.0 GB");
}

TEST_F(ExplorerTest, TypesSizesAndDatesOfEntries) {
    write_bytes(home / "report.pdf", std::string(1536, 'x'));
    write_bytes(home / "archive.tar.gz", "");
    write_bytes(home / "README", "");
    write_bytes(home / ".bashrc", "");
    write_bytes(home / "odd.ExtensionLongerThan15", "");
    std::filesystem::create_directory(home / "photos.d");
    // 2024-02-29 23:59:30 UTC, shown in UTC whatever the local zone.
    const auto when = std::chrono::sys_days{std::chrono::year{2024} / 2 / 29} +
                      std::chrono::hours{23} + std::chrono::minutes{59} + std::chrono::seconds{30};
    std::filesystem::last_write_time(home / "report.pdf", std::chrono::file_clock::from_sys(when));
    files_refresh();

    const file_entry* pdf = entry_named("report.pdf");
    ASSERT_NE(pdf, nullptr);
    EXPECT_STREQ(pdf->type, "PDF");
    EXPECT_EQ(pdf->size, 1536u);
    EXPECT_EQ(pdf->is_dir, 0);
    EXPECT_STREQ(pdf->modified, "2024-02-29 23:59");
    EXPECT_STREQ(entry_named("archive.tar.gz")->type, "GZ");
    EXPECT_STREQ(entry_named("README")->type, "文件");
    EXPECT_STREQ(entry_named(".bashrc")->type, "BASHRC");
    EXPECT_STREQ(entry_named("odd.ExtensionLongerThan15")->type, "EXTENSIONLONGER");
    const file_entry* folder = entry_named("photos.d");
    EXPECT_STREQ(folder->type, "文件夹");
    EXPECT_EQ(folder->is_dir, 1);
    EXPECT_EQ(folder->size, 0u);
}

TEST_F(ExplorerTest, RootHasNoUpEntry) {
    files_navigate("/");
    EXPECT_STREQ(g_files.path, "/");
    EXPECT_EQ(entry_named(".."), nullptr);
    EXPECT_EQ(entry_named("."), nullptr);
}

TEST_F(ExplorerTest, ListingCanComeFromATestDouble) {
    files_set_folder_lister([](const char*, std::vector<host::folder_entry>* out) {
        out->assign(3, host::folder_entry{});
        (*out)[0].name = ".";
        (*out)[1].name = "..";
        (*out)[2].name = "only.txt";
        (*out)[2].info.size = 5;
        return true;
    });
    files_refresh();
    EXPECT_EQ(listed_names(), (std::vector<std::string>{"..", "only.txt"}));
    EXPECT_STREQ(g_files.entries[1].modified, "1970-01-01 00:00");
}

} // namespace
} // namespace qor::test
