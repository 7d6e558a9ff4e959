#include "support/scratch.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <qoros/qor_log.h>
#include <qoros/qor_package.h>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string package_bytes(const char* name, size_t total = 600) {
    qpa_header header{};
    std::memcpy(header.magic, "QORAPP\0\0", 8);
    header.format_version = 7;
    std::strncpy(header.name, name, sizeof header.name - 1);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.resize(total, 'x');
    return bytes;
}

class PackageList : public ::testing::Test {
  protected:
    void SetUp() override {
        apps = qor_apps_get_dir();
        for (const auto& entry : fs::directory_iterator(apps))
            fs::remove_all(entry.path());
    }
    fs::path apps;
};

} // namespace

TEST(PackageHeader, ReadsAValidHeaderByteForByte) {
    const auto dir = qor::test::fresh_folder();
    const std::string bytes = package_bytes("Firefox", 512); // exactly the header
    qor::test::write_bytes(dir / "ok.qpa", bytes);
    qpa_header header;
    ASSERT_EQ(qpa_read_header((dir / "ok.qpa").string().c_str(), &header), QOR_OK);
    EXPECT_EQ(std::memcmp(&header, bytes.data(), sizeof header), 0);
    EXPECT_STREQ(header.name, "Firefox");
}

TEST(PackageHeader, RefusesMissingArgumentsShortFilesAndWrongMagic) {
    const auto dir = qor::test::fresh_folder();
    qpa_header header;
    EXPECT_EQ(qpa_read_header(nullptr, &header), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qpa_read_header((dir / "x").string().c_str(), nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qpa_read_header((dir / "missing.qpa").string().c_str(), &header), QOR_ERR_IO);
    EXPECT_EQ(qpa_read_header(dir.string().c_str(), &header),
              QOR_ERR_IO); // a folder cannot be read

    qor::test::write_bytes(dir / "short.qpa", package_bytes("S", 511));
    EXPECT_EQ(qpa_read_header((dir / "short.qpa").string().c_str(), &header), QOR_ERR_INVALID_ARG);
    qor::test::write_bytes(dir / "empty.qpa", "");
    EXPECT_EQ(qpa_read_header((dir / "empty.qpa").string().c_str(), &header), QOR_ERR_INVALID_ARG);

    std::string wrong = package_bytes("W");
    wrong[7] = 'X'; // the two zero bytes belong to the magic
    qor::test::write_bytes(dir / "wrong.qpa", wrong);
    EXPECT_EQ(qpa_read_header((dir / "wrong.qpa").string().c_str(), &header), QOR_ERR_INVALID_ARG);
    qor::test::write_bytes(dir / "text.qpa", std::string(4096, 'Q'));
    EXPECT_EQ(qpa_read_header((dir / "text.qpa").string().c_str(), &header), QOR_ERR_INVALID_ARG);
}

TEST_F(PackageList, CountsOnlyValidPackagesWithAQpaName) {
    qor::test::write_bytes(apps / "a.qpa", package_bytes("A"));
    qor::test::write_bytes(apps / "b.QPA", package_bytes("B"));
    qor::test::write_bytes(apps / "c.qpa", package_bytes("C"));
    qor::test::write_bytes(apps / "readme.qpa", "this is text, not a package\n");
    qor::test::write_bytes(apps / "d.qpa.bak", package_bytes("D"));
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

TEST_F(PackageList, StopsAtTheCapacity) {
    for (char c = 'a'; c < 'f'; ++c)
        qor::test::write_bytes(apps / (std::string(1, c) + ".qpa"), package_bytes("P"));
    qpa_header list[3];
    std::memset(&list[2], 0x5A, sizeof list[2]);
    uint32_t count = 0;
    ASSERT_EQ(qpa_list_installed(list, 2, &count), QOR_OK);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(list[2].magic[0], 0x5A) << "nothing written past the capacity";
    ASSERT_EQ(qpa_list_installed(list, 0, &count), QOR_OK);
    EXPECT_EQ(count, 0u);
}

TEST_F(PackageList, EmptyFolderAndMissingArguments) {
    qpa_header list[4];
    uint32_t count = 7;
    ASSERT_EQ(qpa_list_installed(list, 4, &count), QOR_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(qpa_list_installed(nullptr, 4, &count), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qpa_list_installed(list, 4, nullptr), QOR_ERR_INVALID_ARG);
}
