// Reading one header and listing the installed packages.
#include "package_fixtures.h"

#include <gtest/gtest.h>
#include <qoros/qor_log.h>

#include <algorithm>
#include <cstring>

namespace fs = std::filesystem;
using qor::test::bare_package;
using qor::test::write_bytes;

namespace {

// The raw helpers library users get: missing arguments are refused, not
// followed, and real ones work.
TEST(PackageHelpers, RefuseMissingArgumentsAndWorkOnRealOnes) {
    const fs::path path = qor::test::fresh_folder("helpers") / "raw";
    EXPECT_EQ(qpa_open_file_write(nullptr), QPA_INVALID_FILE);
    EXPECT_EQ(qpa_open_file_read(nullptr), QPA_INVALID_FILE);
    const qpa_file written = qpa_open_file_write(path.string().c_str());
    ASSERT_NE(written, QPA_INVALID_FILE);
    qpa_close_file(written);
    const qpa_file read = qpa_open_file_read(path.string().c_str());
    EXPECT_NE(read, QPA_INVALID_FILE);
    qpa_close_file(read);
    qpa_close_file(QPA_INVALID_FILE);

    char name[8] = "keep";
    qpa_strncpy_safe(nullptr, "text", sizeof name);
    qpa_strncpy_safe(name, nullptr, sizeof name);
    qpa_strncpy_safe(name, "text", 0);
    EXPECT_STREQ(name, "keep");
    qpa_strncpy_safe(name, "a long name", sizeof name);
    EXPECT_STREQ(name, "a long ");
}

TEST(PackageHeader, ReadsValidHeadersAndRefusesEverythingElse) {
    const auto dir = qor::test::fresh_folder();
    const std::string bytes = bare_package("Firefox"); // exactly the header
    write_bytes(dir / "ok.qpa", bytes);
    qpa_header header;
    ASSERT_EQ(qpa_read_header((dir / "ok.qpa").string().c_str(), &header), QOR_OK);
    EXPECT_EQ(std::memcmp(&header, bytes.data(), sizeof header), 0);

    std::string wrong = bare_package("W", 600);
    wrong[7] = 'X'; // the two zero bytes belong to the magic
    const std::pair<std::string, std::string> refused[] = {{"short.qpa", bare_package("S", 511)},
                                                           {"empty.qpa", ""},
                                                           {"wrong.qpa", wrong},
                                                           {"text.qpa", std::string(4096, 'Q')}};
    for (const auto& [name, content] : refused) {
        write_bytes(dir / name, content);
        EXPECT_EQ(qpa_read_header((dir / name).string().c_str(), &header), QOR_ERR_INVALID_ARG)
            << name;
    }
    EXPECT_EQ(qpa_read_header((dir / "missing.qpa").string().c_str(), &header), QOR_ERR_IO);
    EXPECT_EQ(qpa_read_header(dir.string().c_str(), &header),
              QOR_ERR_IO); // a folder cannot be read
    EXPECT_EQ(qpa_read_header(nullptr, &header), QOR_ERR_INVALID_ARG);
}

class PackageList : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& entry : fs::directory_iterator(apps))
            fs::remove_all(entry.path());
    }
    fs::path apps = qor_apps_get_dir();
};

TEST_F(PackageList, CountsOnlyValidPackagesWithAQpaName) {
    write_bytes(apps / "a.qpa", bare_package("A", 600));
    write_bytes(apps / "b.QPA", bare_package("B", 600));
    write_bytes(apps / "c.qpa", bare_package("C", 600));
    write_bytes(apps / "readme.qpa", "this is text, not a package\n");
    write_bytes(apps / "d.qpa.bak", bare_package("D", 600));
    fs::create_directory(apps / "folder.qpa");

    qpa_header list[64];
    uint32_t count = 99;
    ASSERT_EQ(qpa_list_installed(list, 64, &count), QOR_OK);
    ASSERT_EQ(count, 3u);
    std::string names;
    for (uint32_t i = 0; i < count; ++i)
        names += list[i].name;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, "ABC");
}

TEST_F(PackageList, StopsAtTheCapacityAndCountsAnEmptyFolderAsNone) {
    qpa_header list[3];
    uint32_t count = 7;
    ASSERT_EQ(qpa_list_installed(list, 3, &count), QOR_OK);
    EXPECT_EQ(count, 0u);
    for (char c = 'a'; c < 'f'; ++c)
        write_bytes(apps / (std::string(1, c) + ".qpa"), bare_package("P"));
    std::memset(&list[2], 0x5A, sizeof list[2]);
    ASSERT_EQ(qpa_list_installed(list, 2, &count), QOR_OK);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(list[2].magic[0], 0x5A) << "nothing written past the capacity";
    ASSERT_EQ(qpa_list_installed(list, 0, &count), QOR_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(qpa_list_installed(list, 4, nullptr), QOR_ERR_INVALID_ARG);
}

} // namespace
