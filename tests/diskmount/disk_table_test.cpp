// Mounting, listing and unmounting the virtual drive over a fake drive list.
#include "fake_drives.h"

#include "host/host_env.h"
#include "support/scratch.h"

#include <qoros/qor_system.h>

#include <cstdlib>

namespace fs = std::filesystem;
using qor::host::drive_type;
using qor::test::fake_drive_list;
using qor::test::make_drive;

namespace {

class DiskMount : public qor::test::VirtualDrive {};

TEST_F(DiskMount, MirrorsFixedAndNetworkDrivesButSkipsCdDvd) {
    fake_drive_list() = {make_drive('C', drive_type::fixed, 500, 200),
                         make_drive('D', drive_type::cd_dvd, 700, 0),
                         make_drive('Z', drive_type::remote, 9000, 100)};
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);

    const auto rows = list_rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_STREQ(rows[0].letter, "C:\\");
    EXPECT_EQ(rows[0].mount_path, drive_folder('C'));
    EXPECT_EQ(rows[0].kind, QOR_DISK_FIXED);
    EXPECT_EQ(rows[0].total_bytes, 500u);
    EXPECT_EQ(rows[0].free_bytes, 200u);
    EXPECT_TRUE(rows[0].mounted);
    EXPECT_STREQ(rows[1].letter, "Z:\\");
    EXPECT_EQ(rows[1].kind, QOR_DISK_NETWORK);
    EXPECT_TRUE(fs::is_directory(drive_folder('C')));
    EXPECT_TRUE(fs::is_directory(drive_folder('Z')));
    EXPECT_FALSE(fs::exists(drive_folder('D')));
}

TEST_F(DiskMount, RowsFollowLetterOrderWithKindsAndSkipTheUnusable) {
    fake_drive_list() = {make_drive('F', drive_type::removable),
                         make_drive('B', drive_type::ram_disk),
                         make_drive('E', drive_type::unknown), make_drive('A', drive_type::fixed),
                         make_drive('F', drive_type::fixed)};
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    const auto rows = list_rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_STREQ(rows[0].letter, "A:\\");
    EXPECT_STREQ(rows[1].letter, "F:\\");
    EXPECT_EQ(rows[1].kind, QOR_DISK_REMOVABLE) << "the first report of a letter wins";
}

TEST_F(DiskMount, NoDrivesIsADiskError) {
    fake_drive_list().clear();
    EXPECT_EQ(qor_disk_mount_all(), QOR_ERR_DISK);
    EXPECT_TRUE(list_rows().empty());
    char* resolved = nullptr;
    EXPECT_EQ(qor_disk_resolve_path("C:\\x", &resolved), QOR_ERR_DISK) << "still unmounted";
}

TEST_F(DiskMount, UnusableMountRootIsADiskError) {
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

TEST_F(DiskMount, SecondMountChangesNothing) {
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    fake_drive_list() = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::fixed)};
    EXPECT_EQ(qor_disk_mount_all(), QOR_OK);
    EXPECT_EQ(list_rows().size(), 1u);
}

TEST_F(DiskMount, ListCopiesAtMostCapacityRows) {
    fake_drive_list() = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::fixed),
                         make_drive('E', drive_type::fixed)};
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    const auto one = list_rows(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_STREQ(one[0].letter, "C:\\");
    EXPECT_TRUE(list_rows(0).empty());

    qor_disk_entry row;
    uint32_t count = 0;
    EXPECT_EQ(qor_disk_list(nullptr, 1, &count), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_disk_list(&row, 1, nullptr), QOR_ERR_INVALID_ARG);
}

TEST_F(DiskMount, UnmountRemovesOnlyEmptyFoldersAndRemountReusesThem) {
    fake_drive_list() = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::fixed)};
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    qor::test::write_bytes(fs::path(drive_folder('C')) / "kept.txt", "still here");

    EXPECT_EQ(qor_disk_unmount_all(), QOR_OK);
    EXPECT_TRUE(list_rows().empty());
    EXPECT_FALSE(fs::exists(drive_folder('D')));
    EXPECT_EQ(qor::test::read_bytes(fs::path(drive_folder('C')) / "kept.txt"), "still here");
    EXPECT_EQ(qor_disk_unmount_all(), QOR_OK) << "unmounting twice is harmless";

    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    EXPECT_EQ(list_rows().size(), 2u);
    EXPECT_TRUE(fs::exists(fs::path(drive_folder('C')) / "kept.txt"));
}

TEST_F(DiskMount, UnmountOfAnEmptyDriveRemovesTheMountRoot) {
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    ASSERT_TRUE(fs::is_directory(mount_root()));
    EXPECT_EQ(qor_disk_unmount_all(), QOR_OK);
    EXPECT_FALSE(fs::exists(mount_root()));
}

TEST_F(DiskMount, FilesRoundTripThroughResolvedPaths) {
    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    char* path = nullptr;
    ASSERT_EQ(qor_disk_resolve_path("C:\\note.txt", &path), QOR_OK);
    uint64_t written = 0;
    EXPECT_EQ(qor_disk_write_file(path, "abc", 3, &written), QOR_OK);
    EXPECT_EQ(written, 3u);
    char buffer[16] = {};
    uint64_t got = 0;
    EXPECT_EQ(qor_disk_read_file(path, buffer, sizeof buffer, &got), QOR_OK);
    EXPECT_EQ(got, 3u);
    EXPECT_STREQ(buffer, "abc");

    EXPECT_EQ(qor_disk_read_file(nullptr, buffer, 1, &got), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_disk_read_file(path, nullptr, 1, &got), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_disk_write_file(path, "a", 1, nullptr), QOR_ERR_INVALID_ARG);
    const std::string missing = drive_folder('C') + "/missing";
    EXPECT_EQ(qor_disk_read_file(missing.c_str(), buffer, 1, &got), QOR_ERR_IO);
    EXPECT_EQ(got, 0u);
    const std::string no_folder = drive_folder('C') + "/none/x";
    EXPECT_EQ(qor_disk_write_file(no_folder.c_str(), "a", 1, &written), QOR_ERR_IO);
    qor_free(path);
}

} // namespace

namespace {

class DiskMountState : public qor::test::VirtualDrive {};

TEST_F(DiskMountState, SystemInformationReportsWhetherTheDriveIsMounted) {
    qor_system_info info{};
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_FALSE(info.m_drive_active);

    ASSERT_EQ(qor_disk_mount_all(), QOR_OK);
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_TRUE(info.m_drive_active);

    qor_disk_unmount_all();
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_FALSE(info.m_drive_active);
}

} // namespace
