// Names that hold something other than a regular file: a FIFO (which would
// block a reader forever), a device, a folder, or a link to one of them.
// Nothing reads them as a package, a program or an icon, and nothing that
// writes a whole file replaces them.
#include "package_fixtures.h"

#include <gtest/gtest.h>
#include <qoros/qor_graphics.h>
#include <qoros/qor_log.h>

#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using qor::test::read_bytes;
using qor::test::write_bytes;
namespace fs = std::filesystem;

struct special_name {
    std::string what;
    std::string path;
};

// The host's non-files that a test may create or name safely.
std::vector<special_name> special_names(const fs::path& dir) {
    fs::create_directory(dir / "folder");
#ifdef _WIN32
    return {{"device", "NUL"}, {"folder", (dir / "folder").string()}};
#else
    mkfifo((dir / "fifo").c_str(), 0600);
    fs::create_symlink("/dev/null", dir / "device-link");
    fs::create_symlink(dir / "fifo", dir / "fifo-link");
    return {{"fifo", (dir / "fifo").string()},
            {"device", "/dev/null"},
            {"link to a device", (dir / "device-link").string()},
            {"link to a fifo", (dir / "fifo-link").string()},
            {"folder", (dir / "folder").string()}};
#endif
}

// What is under a name, compared before and after: its kind, and for a
// FIFO that it still is one.
fs::file_type kind_of(const std::string& path) {
    std::error_code unknown; // a device name may not be statable: the same either way
    return fs::status(path, unknown).type();
}

TEST(NonFiles, AreNeitherReadAsPackagesProgramsOrIconsNorReplaced) {
    const fs::path dir = qor::test::fresh_folder();
    const std::string program = (dir / "p.exe").string();
    const std::string package = (dir / "p.qpa").string();
    write_bytes(program, qor::test::program_bytes(300));
    ASSERT_EQ(qpa_convert_exe(program.c_str(), package.c_str(), "P", 0, 0, 0, 0, 0, 0), QOR_OK);
    ASSERT_EQ(qor_graphics_init(), QOR_OK);
    qor_context* canvas = qor_graphics_create_context(4, 4);
    ASSERT_NE(canvas, nullptr);
    const std::string made = (dir / "made.qpa").string();

    for (const special_name& special : special_names(dir)) {
        SCOPED_TRACE(special.what);
        const char* name = special.path.c_str();
        const fs::file_type before = kind_of(special.path);
        // Reading: a FIFO without a writer would block each of these forever.
        qpa_header header;
        EXPECT_EQ(qpa_read_header(name, &header), QOR_ERR_IO);
        EXPECT_FALSE(qpa_verify(name));
        size_t size = 0;
        EXPECT_EQ(qpa_read_file_all(name, &size), nullptr);
        EXPECT_EQ(qpa_convert_exe(name, made.c_str(), "P", 0, 0, 0, 0, 0, 0), QOR_ERR_IO);
        // An icon that cannot be read is left out of the package.
        EXPECT_EQ(qpa_convert_exe(program.c_str(), made.c_str(), "P", 0, 0, 0, name, 0, 0), QOR_OK);
        EXPECT_EQ(+qor::test::header_of_file(made).icon_size, 0u);
        // Writing: refused, and the name keeps what it held.
        EXPECT_EQ(qpa_convert_exe(program.c_str(), name, "P", 0, 0, 0, 0, 0, 0), QOR_ERR_IO);
        EXPECT_EQ(qpa_extract_exe(package.c_str(), name), QOR_ERR_IO);
        EXPECT_EQ(qor_graphics_save_png(canvas, name), QOR_ERR_IO);
        EXPECT_EQ(kind_of(special.path), before);
    }
    qor_graphics_destroy_context(canvas);
}

#ifndef _WIN32
TEST(NonFiles, AFifoAmongInstalledPackagesIsSkipped) {
    const fs::path apps = qor_apps_get_dir();
    for (const auto& entry : fs::directory_iterator(apps))
        fs::remove_all(entry.path());
    write_bytes(apps / "a.qpa", qor::test::bare_package("A"));
    ASSERT_EQ(mkfifo((apps / "x.qpa").c_str(), 0600), 0);
    qpa_header list[4];
    uint32_t count = 0;
    EXPECT_EQ(qpa_list_installed(list, 4, &count), QOR_OK);
    EXPECT_EQ(count, 1u);
}
#endif

} // namespace
