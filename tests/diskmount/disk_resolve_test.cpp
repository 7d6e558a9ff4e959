// Resolving drive-letter paths into the virtual drive.
#include "fake_drives.h"

using qor::host::drive_type;
using qor::test::make_drive;

namespace {

class DiskResolve : public qor::test::VirtualDrive {
  protected:
    // A path tail written with '/' in the host's own separator.
    static std::string native(const std::string& tail) {
        std::string text = tail;
        for (char& c : text)
            if (c == '/') c = qor::host::kPathSeparator;
        return text;
    }

    // The resolved text, or the error code as text.
    static std::string resolve(const char* path) {
        char* resolved = nullptr;
        const int code = qor_disk_resolve_path(path, &resolved);
        if (code != QOR_OK) return "error " + std::to_string(code);
        std::string out = resolved;
        qor_free(resolved);
        return out;
    }
};

TEST_F(DiskResolve, MapsLettersIntoTheirFoldersAndRefusesTheRest) {
    g_drives = {make_drive('C', drive_type::fixed), make_drive('Z', drive_type::remote)};
    EXPECT_EQ(resolve("C:\\x"), "error -7") << "not mounted yet";
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    const std::string c = drive_folder('C');
    const std::string fits(259 - c.size() - 1, 'x');
    const struct {
        std::string path, expected;
    } cases[] = {
        // Letter case and both separators resolve alike.
        {"c:\\Users\\a", c + native("/Users/a")},
        {"C:/Users/a", c + native("/Users/a")},
        {"C:\\Users/a", c + native("/Users/a")},
        {"z:\\share", drive_folder('Z') + native("/share")},
        // Bare letter and relative rest.
        {"C:Users", c + native("/Users")},
        {"C:", c + native("/")},
        {"C:\\", c + native("/")},
        // Malformed.
        {"1:\\x", "error -1"},
        {"C-x", "error -1"},
        {"", "error -1"},
        {"C", "error -1"},
        {"\xC3\x84:\\x", "error -1"},
        // Unmapped letters.
        {"D:\\x", "error -9"},
        {"m:", "error -9"},
        // A ".." segment could leave the drive; dots inside names are fine.
        {"C:\\..\\..\\etc\\passwd", "error -1"},
        {"C:/a/../../b", "error -1"},
        {"C:..", "error -1"},
        {"C:\\a\\..", "error -1"},
        {"C:\\a..b\\...\\c..", c + native("/a..b/.../c..")},
        // Results longer than 259 bytes are refused, not cut.
        {"C:\\" + fits, c + native("/") + fits},
        {"C:\\" + fits + "y", "error -1"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(resolve(row.path.c_str()), row.expected);
    }
    EXPECT_EQ(resolve(nullptr), "error -1");
    EXPECT_EQ(qor_disk_resolve_path("C:\\x", nullptr), QOR_ERR_INVALID_ARG);

    qor_disk_unmount_all();
    EXPECT_EQ(resolve("1:"), "error -7") << "unmounted comes before malformed";
}

} // namespace
