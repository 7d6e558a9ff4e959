// The converter inside libqoros: layout, strings, flags, failures.
#include "package_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using qor::test::header_of_file;
using qor::test::program_bytes;
using qor::test::read_bytes;
using qor::test::write_bytes;
using names = std::vector<std::string>;

struct Converter : ::testing::Test {
    std::filesystem::path dir = qor::test::fresh_folder();
    std::string exe = (dir / "prog.exe").string();
    std::string qpa = (dir / "prog.qpa").string();

    int convert(const char* icon = nullptr, int flags = 0, const char* name = "Prog") {
        return qpa_convert_exe(exe.c_str(), qpa.c_str(), name, nullptr, nullptr, nullptr, icon,
                               nullptr, flags);
    }
};

TEST_F(Converter, LayoutWithoutAndWithIcon) {
    const std::string program = program_bytes(1024);
    const std::string icon = qor::test::random_bytes(766, 5);
    write_bytes(exe, program);
    write_bytes(dir / "app.ico", icon);

    ASSERT_EQ(convert(nullptr, QPA_FLAG_GUI), QOR_OK);
    std::string file = read_bytes(qpa);
    ASSERT_EQ(file.size(), 1536u);
    qpa_header h = qor::test::header_of(file);
    EXPECT_EQ(std::memcmp(h.magic, "QORAPP\0\0", 8), 0);
    EXPECT_EQ(+h.format_version, 6) << "the library's converter writes version 6";
    EXPECT_EQ(+h.flags, QPA_FLAG_GUI);
    EXPECT_EQ(+h.icon_offset, 0u);
    EXPECT_EQ(+h.icon_size, 0u);
    EXPECT_EQ(+h.exe_offset, 512u);
    EXPECT_EQ(+h.exe_size, 1024u);
    EXPECT_EQ(+h.exe_size_2, 1024u);
    EXPECT_EQ(+h.fixed_600, 600u);
    EXPECT_STREQ(h.name, "Prog");
    EXPECT_STREQ(h.version, "1.0.0");
    EXPECT_STREQ(h.author, "Unknown");
    EXPECT_STREQ(h.description, "");
    EXPECT_STREQ(h.category, "Utilities");
    EXPECT_EQ(file.substr(512), program);
    std::string covered = qor::test::without_crc_field(file);
    EXPECT_EQ(covered.size(), 1532u);
    EXPECT_EQ(+h.crc32, qpa_crc32(covered.data(), covered.size()));
    for (uint8_t b : h.reserved)
        ASSERT_EQ(b, 0);

    ASSERT_EQ(convert((dir / "app.ico").string().c_str()), QOR_OK);
    file = read_bytes(qpa);
    h = qor::test::header_of(file);
    EXPECT_EQ(+h.flags, QPA_FLAG_ICON);
    EXPECT_EQ(+h.icon_offset, 512u);
    EXPECT_EQ(+h.icon_size, 766u);
    EXPECT_EQ(+h.exe_offset, 1278u);
    EXPECT_EQ(file.size(), 512u + 766u + 1024u);
    EXPECT_EQ(file.substr(512, 766), icon);
    EXPECT_EQ(file.substr(1278), program);
    covered = qor::test::without_crc_field(file);
    EXPECT_EQ(+h.crc32, qpa_crc32(covered.data(), covered.size()));
}

TEST_F(Converter, EmptyMissingOrUnreadableIconMeansNoIcon) {
    write_bytes(exe, program_bytes(100));
    write_bytes(dir / "empty.ico", "");
    std::filesystem::create_directory(dir / "folder.ico");
    for (const auto& icon : {dir / "empty.ico", dir / "missing.ico", dir / "folder.ico"}) {
        SCOPED_TRACE(icon);
        ASSERT_EQ(convert(icon.string().c_str(), QPA_FLAG_GUI), QOR_OK);
        const qpa_header h = header_of_file(qpa);
        EXPECT_EQ(+h.flags, QPA_FLAG_GUI);
        EXPECT_EQ(+h.icon_offset, 0u);
        EXPECT_EQ(+h.icon_size, 0u);
        EXPECT_EQ(+h.exe_offset, 512u);
        EXPECT_EQ(read_bytes(qpa).size(), 612u);
    }
}

TEST_F(Converter, FlagsKeepLow16BitsAndAddIcon) {
    write_bytes(exe, program_bytes(10));
    write_bytes(dir / "i.ico", "icon");
    const int caller = QPA_FLAG_GUI | QPA_FLAG_ADMIN | QPA_FLAG_MDRIVE;
    ASSERT_EQ(convert(nullptr, caller | 0x10000), QOR_OK);
    EXPECT_EQ(+header_of_file(qpa).flags, 0x001C);
    ASSERT_EQ(convert((dir / "i.ico").string().c_str(), caller), QOR_OK);
    EXPECT_EQ(+header_of_file(qpa).flags, 0x001D);
}

TEST_F(Converter, TextsAreCutToTheirFieldsAndZeroPadded) {
    write_bytes(exe, program_bytes(10));
    const std::string long_name(70, 'n'), long_version(40, 'v'), long_desc(200, 'd');
    ASSERT_EQ(qpa_convert_exe(exe.c_str(), qpa.c_str(), long_name.c_str(), long_version.c_str(),
                              std::string(31, 'a').c_str(), long_desc.c_str(), nullptr,
                              std::string(32, 'c').c_str(), 0),
              QOR_OK);
    const qpa_header h = header_of_file(qpa);
    EXPECT_EQ(std::string(h.name), long_name.substr(0, 63));
    EXPECT_EQ(std::string(h.version), long_version.substr(0, 31));
    EXPECT_EQ(std::string(h.author), std::string(31, 'a'));
    EXPECT_EQ(std::string(h.description), long_desc.substr(0, 127));
    EXPECT_EQ(std::string(h.category), std::string(31, 'c'));

    ASSERT_EQ(convert(nullptr, 0, "ab"), QOR_OK);
    const qpa_header shortname = header_of_file(qpa);
    for (size_t i = 2; i < sizeof shortname.name; ++i)
        ASSERT_EQ(shortname.name[i], 0) << i;
}

TEST_F(Converter, RejectsAbsentArgumentsAndNonPrograms) {
    EXPECT_EQ(qpa_convert_exe(exe.c_str(), qpa.c_str(), nullptr, 0, 0, 0, 0, 0, 0),
              QOR_ERR_INVALID_ARG);
    struct {
        std::string bytes;
        int expected;
    } const cases[] = {{"", QOR_ERR_IO},
                       {"M", QOR_ERR_INVALID_ARG},
                       {"ZM rest", QOR_ERR_INVALID_ARG},
                       {"MZ", QOR_OK}};
    for (const auto& c : cases) {
        SCOPED_TRACE("input of " + std::to_string(c.bytes.size()) + " bytes");
        std::filesystem::remove(qpa);
        write_bytes(exe, c.bytes);
        EXPECT_EQ(convert(), c.expected);
        EXPECT_EQ(std::filesystem::exists(qpa), c.expected == QOR_OK);
    }
    for (const auto& input : {dir / "missing.exe", dir}) // a folder is no readable program
        EXPECT_EQ(qpa_convert_exe(input.string().c_str(), qpa.c_str(), "n", 0, 0, 0, 0, 0, 0),
                  QOR_ERR_IO);
}

TEST_F(Converter, ReplacesTheProgramWhenInputAndOutputAreTheSameFile) {
    const std::string program = program_bytes(5000);
    write_bytes(exe, program);
    ASSERT_EQ(qpa_convert_exe(exe.c_str(), exe.c_str(), "Self", 0, 0, 0, 0, 0, 0), QOR_OK);
    const std::string file = read_bytes(exe);
    EXPECT_EQ(file.size(), 512u + program.size());
    EXPECT_EQ(file.substr(512), program);
    EXPECT_EQ(qor::test::folder_names(dir), names{"prog.exe"});
}

TEST_F(Converter, PlainCreatePermissionsAndSymbolicLinksKept) {
    write_bytes(exe, program_bytes(10));
    write_bytes(dir / "plain", "x"); // created like any new file (0666 less umask)
    ASSERT_EQ(convert(), QOR_OK);
    EXPECT_EQ(std::filesystem::status(qpa).permissions(),
              std::filesystem::status(dir / "plain").permissions());

    // A link in the destination's place is written through, not replaced.
    std::filesystem::remove(qpa);
    std::filesystem::create_directory(dir / "store");
    write_bytes(dir / "store" / "real.qpa", "old");
    std::filesystem::create_symlink(dir / "store" / "real.qpa", qpa);
    ASSERT_EQ(convert(), QOR_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(qpa));
    EXPECT_EQ(read_bytes(dir / "store" / "real.qpa").size(), 522u);
}

TEST(PackageHelpers, ReadFileAllReturnsWholeContentOrNothing) {
    const auto dir = qor::test::fresh_folder();
    const std::string bytes = qor::test::random_bytes(70000, 9);
    write_bytes(dir / "f", bytes);
    write_bytes(dir / "empty", "");
    const std::pair<std::filesystem::path, std::string> files[] = {{dir / "f", bytes},
                                                                   {dir / "empty", ""}};
    for (const auto& [file, expected] : files) {
        size_t size = 99;
        uint8_t* data = qpa_read_file_all(file.string().c_str(), &size);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), expected);
        std::free(data);
    }
    size_t size = 0;
    EXPECT_EQ(qpa_read_file_all((dir / "missing").string().c_str(), &size), nullptr);
}

} // namespace
