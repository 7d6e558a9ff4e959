// Resolving drive-letter paths into the virtual drive.
#include "fake_drives.h"

using qor::host::drive_type;
using qor::test::fake_drive_list;
using qor::test::make_drive;

namespace {

class DiskResolve : public qor::test::VirtualDrive {
  protected:
    void SetUp() override {
        VirtualDrive::SetUp();
        fake_drive_list() = {make_drive('C', drive_type::fixed),
                             make_drive('Z', drive_type::remote)};
        ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    }

    // A path tail written with '/' in the host's own separator.
    static std::string native(const char* tail) {
        std::string text = tail;
        for (char& c : text)
            if (c == '/') c = qor::host::kPathSeparator;
        return text;
    }

    // The resolved text, or the error code as text.
    std::string resolve(const char* path) {
        char* resolved = nullptr;
        const int code = qor_disk_resolve_path(path, &resolved);
        if (code != QOR_OK) return "error " + std::to_string(code);
        std::string out = resolved;
        qor_free(resolved);
        return out;
    }
};

TEST_F(DiskResolve, LetterCaseAndBothSeparatorsResolveAlike) {
    const std::string expected = drive_folder('C') + native("/Users/a");
    EXPECT_EQ(resolve("c:\\Users\\a"), expected);
    EXPECT_EQ(resolve("C:/Users/a"), expected);
    EXPECT_EQ(resolve("C:\\Users/a"), expected);
    EXPECT_EQ(resolve("z:\\share"), drive_folder('Z') + native("/share"));
}

TEST_F(DiskResolve, BareLetterAndRelativeRest) {
    EXPECT_EQ(resolve("C:Users"), drive_folder('C') + native("/Users"));
    EXPECT_EQ(resolve("C:"), drive_folder('C') + native("/"));
    EXPECT_EQ(resolve("C:\\"), drive_folder('C') + native("/"));
}

TEST_F(DiskResolve, MalformedPathsAndAbsentArguments) {
    EXPECT_EQ(resolve("1:\\x"), "error -1");
    EXPECT_EQ(resolve("C-x"), "error -1");
    EXPECT_EQ(resolve(""), "error -1");
    EXPECT_EQ(resolve("C"), "error -1");
    EXPECT_EQ(resolve("\xC3\x84:\\x"), "error -1");
    EXPECT_EQ(resolve(nullptr), "error -1");
    EXPECT_EQ(qor_disk_resolve_path("C:\\x", nullptr), QOR_ERR_INVALID_ARG);
}

TEST_F(DiskResolve, UnmappedLetterIsNotFound) {
    EXPECT_EQ(resolve("D:\\x"), "error -9");
    EXPECT_EQ(resolve("m:"), "error -9");
}

TEST_F(DiskResolve, ParentSegmentsAreRefusedSoNothingOutsideTheDriveIsReached) {
    EXPECT_EQ(resolve("C:\\..\\..\\etc\\passwd"), "error -1");
    EXPECT_EQ(resolve("C:/a/../../b"), "error -1");
    EXPECT_EQ(resolve("C:.."), "error -1");
    EXPECT_EQ(resolve("C:\\a\\.."), "error -1");
    EXPECT_EQ(resolve("C:\\a..b\\...\\c.."), drive_folder('C') + native("/a..b/.../c.."));
}

TEST_F(DiskResolve, ResultsLongerThan259BytesAreRefusedNotCut) {
    const std::string prefix = drive_folder('C') + native("/");
    const std::string fits(259 - prefix.size(), 'x');
    EXPECT_EQ(resolve(("C:\\" + fits).c_str()), prefix + fits);
    EXPECT_EQ(resolve(("C:\\" + fits + "y").c_str()), "error -1");
}

TEST_F(DiskResolve, AnyResolveWhileUnmountedIsADiskError) {
    qor_disk_unmount_all();
    EXPECT_EQ(resolve("C:\\x"), "error -7");
    EXPECT_EQ(resolve("1:"), "error -7");
}

} // namespace
