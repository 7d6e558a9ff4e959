// Mounting, listing and unmounting the virtual drive over a fake drive list.
#include "fake_drives.h"

#include "host/host_env.h"
#include "support/scratch.h"

#include <qoros/qor_system.h>

#include <cstdlib>

namespace fs = std::filesystem;
using qor::host::drive_type;
using qor::test::make_drive;

namespace {

class DiskMount : public qor::test::VirtualDrive {
  protected:
    static bool drive_active() {
        qor_system_info info{};
        EXPECT_EQ(qor_system_get_info(&info), QOR_OK);
        return info.m_drive_active;
    }
    // The listing as "<root> <kind> <total>/<free>;" per row; a row whose
    // folder is not its letter's, or that is not mounted, says so.
    static std::string listing(uint32_t capacity = QOR_DISK_MAX_DRIVES) {
        std::string out;
        for (const qor_disk_entry& row : list_rows(capacity))
            out += std::string(row.letter) + " " + std::to_string(row.kind) + " " +
                   std::to_string(row.total_bytes) + "/" + std::to_string(row.free_bytes) +
                   (row.mount_path == drive_folder(row.letter[0]) ? "" : " elsewhere") +
                   (row.mounted ? "; " : " unmounted; ");
        return out;
    }
};

// Kinds: 0 fixed, 1 removable, 2 network. CD/DVD, RAM disks and unknown
// drives get no row and no folder; the first report of a letter wins.
TEST_F(DiskMount, MirrorsUsableDrivesInLetterOrder) {
    const struct {
        std::vector<qor::host::drive> reported;
        const char* expected;
    } cases[] = {
        {{make_drive('C', drive_type::fixed, 500, 200), make_drive('D', drive_type::cd_dvd, 700),
          make_drive('Z', drive_type::remote, 9000, 100)},
         "C:\\ 0 500/200; Z:\\ 2 9000/100; "},
        {{make_drive('F', drive_type::removable), make_drive('B', drive_type::ram_disk),
          make_drive('E', drive_type::unknown), make_drive('A', drive_type::fixed),
          make_drive('F', drive_type::fixed), make_drive('G', drive_type::fixed)},
         "A:\\ 0 0/0; F:\\ 1 0/0; G:\\ 0 0/0; "},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.expected);
        qor_disk_unmount_all();
        g_drives = row.reported;
        EXPECT_FALSE(drive_active());
        ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
        EXPECT_TRUE(drive_active());
        EXPECT_EQ(listing(), row.expected);
        for (const auto& drive : row.reported)
            EXPECT_EQ(fs::is_directory(drive_folder(drive.letter)),
                      listing().find(std::string(1, drive.letter) + ":") != std::string::npos)
                << drive.letter;
    }
    EXPECT_EQ(listing(1), "A:\\ 0 0/0; ");
    EXPECT_EQ(listing(0), "");
    uint32_t count = 0;
    EXPECT_EQ(qor_disk_list(nullptr, 1, &count), QOR_ERR_INVALID_ARG);

    // Mounting again keeps the first mount, whatever the host reports now.
    g_drives.push_back(make_drive('H', drive_type::fixed));
    EXPECT_EQ(qor_disk_mount_all(), QOR_OK);
    EXPECT_EQ(list_rows().size(), 3u);
}

TEST_F(DiskMount, NoDrivesOrAnUnusableMountRootIsADiskError) {
    g_drives.clear();
    EXPECT_EQ(qor_disk_mount_all(), QOR_ERR_DISK);
    EXPECT_TRUE(list_rows().empty());
    EXPECT_FALSE(drive_active());

    g_drives = {make_drive('C', drive_type::fixed)};
    const std::string saved = std::getenv("TMPDIR");
    const fs::path blocker = qor::test::fresh_folder() / "file";
    qor::test::write_bytes(blocker, "not a folder");
    // TMPDIR names the Linux host's temporary folder, TMP and TEMP the Windows one.
    const auto point_temp_at = [](const std::string& folder) {
        for (const char* name : {"TMPDIR", "TMP", "TEMP"})
            qor::host::set_environment_variable(name, folder.c_str());
    };
    point_temp_at(blocker.string());
    const int result = qor_disk_mount_all();
    point_temp_at(saved);
    EXPECT_EQ(result, QOR_ERR_DISK);
    EXPECT_TRUE(list_rows().empty());
}

TEST_F(DiskMount, UnmountRemovesOnlyEmptyFoldersAndRemountReusesThem) {
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    EXPECT_EQ(qor_disk_unmount_all(), QOR_OK);
    EXPECT_FALSE(fs::exists(mount_root())) << "an empty mount root goes too";
    EXPECT_FALSE(drive_active());

    g_drives = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::fixed)};
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    const fs::path kept = fs::path(drive_folder('C')) / "kept.txt";
    qor::test::write_bytes(kept, "still here");
    EXPECT_EQ(qor_disk_unmount_all(), QOR_OK);
    EXPECT_TRUE(list_rows().empty());
    EXPECT_FALSE(fs::exists(drive_folder('D')));
    EXPECT_EQ(qor::test::read_bytes(kept), "still here");
    EXPECT_EQ(qor_disk_unmount_all(), QOR_OK) << "unmounting twice is harmless";

    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    EXPECT_EQ(list_rows().size(), 2u);
    EXPECT_TRUE(fs::exists(kept));
}

TEST_F(DiskMount, FilesRoundTripThroughResolvedPaths) {
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    char* path = nullptr;
    ASSERT_EQ(qor_disk_resolve_path("C:\\note.txt", &path), QOR_OK);
    uint64_t written = 0, got = 0;
    EXPECT_EQ(qor_disk_write_file(path, "abc", 3, &written), QOR_OK);
    EXPECT_EQ(written, 3u);
    char buffer[16] = {};
    EXPECT_EQ(qor_disk_read_file(path, buffer, sizeof buffer, &got), QOR_OK);
    EXPECT_EQ(std::string(buffer, got), "abc");
    EXPECT_EQ(qor_disk_read_file(path, nullptr, 1, &got), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_disk_write_file(path, "a", 1, nullptr), QOR_ERR_INVALID_ARG);
    qor_free(path);

    EXPECT_EQ(qor_disk_read_file((drive_folder('C') + "/missing").c_str(), buffer, 1, &got),
              QOR_ERR_IO);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(qor_disk_write_file((drive_folder('C') + "/none/x").c_str(), "a", 1, &written),
              QOR_ERR_IO);
}

} // namespace
