// The virtual drive's folders on a shared machine: a link or a folder others
// may write, under the mount root's name or a drive folder's, would send the
// drive's files elsewhere. Such a mount fails and nothing is resolved.
#include "fake_drives.h"

#include "support/scratch.h"

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using DiskFolders = qor::test::VirtualDrive;

TEST_F(DiskFolders, LinksAndFoldersOthersMayWriteAreNotMounted) {
    const fs::path outside = qor::test::fresh_folder("outside");
    struct row {
        const char* name;
        void (*spoil)(const fs::path& root, const fs::path& drive, const fs::path& outside);
        bool needs_root;
    };
    const row rows[] = {
        {"mount root is a link",
         [](const fs::path& root, const fs::path&, const fs::path& out) {
             fs::create_directory_symlink(out, root);
         },
         false},
        {"drive folder is a link",
         [](const fs::path& root, const fs::path& drive, const fs::path& out) {
             fs::create_directory(root);
             fs::create_directory_symlink(out, drive);
         },
         false},
        {"drive folder open to others",
         [](const fs::path& root, const fs::path& drive, const fs::path&) {
             fs::create_directories(drive);
             fs::permissions(root, fs::perms::owner_all);
             fs::permissions(drive, fs::perms::all);
         },
         false},
        {"mount root of another user",
         [](const fs::path& root, const fs::path&, const fs::path&) {
             fs::create_directory(root);
             fs::permissions(root, fs::perms::owner_all);
             EXPECT_EQ(chown(root.c_str(), 4242, 4242), 0);
         },
         true},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.needs_root && geteuid() != 0) continue; // only root can give a folder away
        fs::remove_all(mount_root());
        r.spoil(mount_root(), drive_folder('C'), outside);
        EXPECT_EQ(qor_disk_mount_all(), QOR_ERR_DISK);
        EXPECT_TRUE(list_rows().empty());
        char* resolved = nullptr;
        EXPECT_EQ(qor_disk_resolve_path("C:\\diary.txt", &resolved), QOR_ERR_DISK);
        EXPECT_TRUE(fs::is_empty(outside));
    }
    fs::remove_all(mount_root());
}

} // namespace
