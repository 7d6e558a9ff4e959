// Verification and extraction, on converted packages and on hostile ones.
#include "package_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using qor::test::read_bytes;
using qor::test::write_bytes;
namespace fs = std::filesystem;

struct Packages : ::testing::Test {
    fs::path dir = qor::test::fresh_folder();
    std::string program = qor::test::program_bytes(300, 21);
    std::string icon = qor::test::random_bytes(40, 22);
    fs::path qpa = dir / "p.qpa";

    void SetUp() override {
        write_bytes(dir / "p.exe", program);
        write_bytes(dir / "p.ico", icon);
        ASSERT_EQ(qpa_convert_exe((dir / "p.exe").string().c_str(), qpa.string().c_str(), "P", 0, 0,
                                  0, (dir / "p.ico").string().c_str(), 0, 0),
                  QOR_OK);
    }
    // Rewrites the package with a header changed by `edit`.
    void edit_header(void (*edit)(qpa_header*)) {
        std::string file = read_bytes(qpa);
        qpa_header h = qor::test::header_of(file);
        edit(&h);
        std::memcpy(file.data(), &h, sizeof h);
        write_bytes(qpa, file);
    }
};

TEST_F(Packages, ChecksumCoversEveryByteButItsOwnField) {
    const std::string intact = read_bytes(qpa);
    ASSERT_TRUE(qpa_verify(qpa.string().c_str()));
    const auto tampered = dir / "t.qpa";
    for (size_t i = 8; i < intact.size(); ++i) { // a broken magic fails the header check
        if (i >= 352 && i < 356) continue;
        std::string file = intact;
        file[i] = static_cast<char>(file[i] ^ 0x01);
        write_bytes(tampered, file);
        ASSERT_FALSE(qpa_verify(tampered.string().c_str())) << "byte " << i;
    }
    std::string changed = intact;
    std::memset(changed.data() + 352, 0xAB, 4);
    const std::string covered = qor::test::without_crc_field(intact);
    const std::string covered_changed = qor::test::without_crc_field(changed);
    EXPECT_EQ(qpa_crc32(covered.data(), covered.size()),
              qpa_crc32(covered_changed.data(), covered_changed.size()));
    write_bytes(tampered, changed);
    EXPECT_FALSE(qpa_verify(tampered.string().c_str())) << "the stored value no longer matches";
}

TEST_F(Packages, VerifyEdgeFiles) {
    EXPECT_FALSE(qpa_verify(nullptr));
    EXPECT_FALSE(qpa_verify((dir / "missing.qpa").string().c_str()));
    write_bytes(dir / "short.qpa", read_bytes(qpa).substr(0, 511));
    EXPECT_FALSE(qpa_verify((dir / "short.qpa").string().c_str()));
    // A header alone is a package; its checksum covers 508 bytes.
    std::string bare = qor::test::bare_package("B");
    const std::string covered = qor::test::without_crc_field(bare);
    ASSERT_EQ(covered.size(), 508u);
    const uint32_t crc = qpa_crc32(covered.data(), covered.size());
    std::memcpy(bare.data() + 352, &crc, 4);
    write_bytes(dir / "bare.qpa", bare);
    EXPECT_TRUE(qpa_verify((dir / "bare.qpa").string().c_str()));
}

TEST_F(Packages, ExtractsProgramAndIconWithPlainPermissions) {
    ASSERT_EQ(qpa_extract_exe(qpa.string().c_str(), (dir / "out.exe").string().c_str()), QOR_OK);
    EXPECT_EQ(read_bytes(dir / "out.exe"), program);
    ASSERT_EQ(qpa_extract_icon(qpa.string().c_str(), (dir / "out.ico").string().c_str()), QOR_OK);
    EXPECT_EQ(read_bytes(dir / "out.ico"), icon);
    // Windows derives permissions from the name's extension, so the
    // comparison file has the same one.
    write_bytes(dir / "plain.exe", "");
    EXPECT_EQ(fs::status(dir / "out.exe").permissions(),
              fs::status(dir / "plain.exe").permissions());
}

TEST_F(Packages, ExtractionRefusals) {
    EXPECT_EQ(qpa_extract_exe(qpa.string().c_str(), nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qpa_extract_exe((dir / "missing.qpa").string().c_str(), (dir / "o").string().c_str()),
              QOR_ERR_IO);
    write_bytes(dir / "not.qpa", std::string(600, 'x'));
    EXPECT_EQ(qpa_extract_exe((dir / "not.qpa").string().c_str(), (dir / "o").string().c_str()),
              QOR_ERR_INVALID_ARG);
    EXPECT_EQ(
        qpa_extract_exe(qpa.string().c_str(), (dir / "no-such-folder" / "o").string().c_str()),
        QOR_ERR_IO);
    EXPECT_FALSE(fs::exists(dir / "o"));
}

TEST_F(Packages, IconExtractionNeedsFlagAndSize) {
    write_bytes(dir / "plain.exe", program);
    ASSERT_EQ(qpa_convert_exe((dir / "plain.exe").string().c_str(),
                              (dir / "plain.qpa").string().c_str(), "P", 0, 0, 0, 0, 0, 0),
              QOR_OK);
    EXPECT_EQ(
        qpa_extract_icon((dir / "plain.qpa").string().c_str(), (dir / "c.ico").string().c_str()),
        QOR_ERR_NOT_FOUND);
    edit_header([](qpa_header* h) { h->flags = 0; });
    EXPECT_EQ(qpa_extract_icon(qpa.string().c_str(), (dir / "a.ico").string().c_str()),
              QOR_ERR_NOT_FOUND);
    edit_header([](qpa_header* h) {
        h->flags = QPA_FLAG_ICON;
        h->icon_size = 0;
    });
    EXPECT_EQ(qpa_extract_icon(qpa.string().c_str(), (dir / "b.ico").string().c_str()),
              QOR_ERR_NOT_FOUND);
    for (const char* name : {"a.ico", "b.ico", "c.ico"})
        EXPECT_FALSE(fs::exists(dir / name)) << name;
}

TEST_F(Packages, CutShortAndHostileOffsetsAndSizesAreSafe) {
    const std::string intact = read_bytes(qpa);
    write_bytes(qpa, intact.substr(0, 512 + 40 + 100));
    ASSERT_EQ(qpa_extract_exe(qpa.string().c_str(), (dir / "short.exe").string().c_str()), QOR_OK);
    EXPECT_EQ(read_bytes(dir / "short.exe"), program.substr(0, 100)) << "what is there";
    write_bytes(qpa, intact);

    edit_header([](qpa_header* h) { h->exe_size = ~uint64_t{0}; });
    ASSERT_EQ(qpa_extract_exe(qpa.string().c_str(), (dir / "huge.exe").string().c_str()), QOR_OK);
    EXPECT_EQ(read_bytes(dir / "huge.exe"), program) << "copies up to the end of the file";

    edit_header([](qpa_header* h) { h->exe_offset = uint64_t{1} << 40; });
    ASSERT_EQ(qpa_extract_exe(qpa.string().c_str(), (dir / "far.exe").string().c_str()), QOR_OK);
    EXPECT_EQ(read_bytes(dir / "far.exe"), "");

    edit_header([](qpa_header* h) { h->exe_offset = ~uint64_t{0} - 3; });
    EXPECT_EQ(qpa_extract_exe(qpa.string().c_str(), (dir / "neg.exe").string().c_str()),
              QOR_ERR_IO);
    EXPECT_FALSE(fs::exists(dir / "neg.exe"));

    edit_header([](qpa_header* h) {
        h->exe_offset = 512;
        h->exe_size = 0;
        h->format_version = 999;
    });
    ASSERT_EQ(qpa_extract_exe(qpa.string().c_str(), (dir / "empty.exe").string().c_str()), QOR_OK);
    EXPECT_EQ(read_bytes(dir / "empty.exe"), "");
}

} // namespace
