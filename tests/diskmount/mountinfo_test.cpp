// Which Linux mounts become drive letters.
#include "host/host_drives.h"
#include "host/posix/mountinfo.h"

#include <gtest/gtest.h>

using qor::host::posix::choose_drive_mounts;
using qor::host::posix::parse_mountinfo;

namespace {

TEST(Mountinfo, ParsesFieldsOptionalTagsAndEscapes) {
    const auto mounts = parse_mountinfo(
        "36 35 98:0 /mnt1 /mnt/my\\040disk rw,noatime master:1 shared:2 - ext3 /dev/root rw\n"
        "garbage line\n"
        "37 35 x:y / /bad rw - ext4 /dev/sdb1 rw\n"
        "38 35 0:44 / /net rw - nfs4 server:/export rw,vers=4.2\n"
        "39 35 8:17 / /media/usb0123 rw shared:3 ext4 /dev/sdb1 rw\n" // no "-": not a mount
        "41 35 8:19 / - ext4 /dev/sdd1 rw\n"                          // fields missing before "-"
        "40 35 8:18 / /media/disk0123 rw - vfat /dev/sdc1 rw");
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].major, 98u);
    EXPECT_EQ(mounts[0].minor, 0u);
    EXPECT_EQ(mounts[0].mount_point, "/mnt/my disk");
    EXPECT_EQ(mounts[0].fs_type, "ext3");
    EXPECT_EQ(mounts[0].source, "/dev/root");
    EXPECT_EQ(mounts[1].fs_type, "nfs4");
    EXPECT_EQ(mounts[1].source, "server:/export");
    EXPECT_EQ(mounts[2].mount_point, "/media/disk0123")
        << "digits are only escapes after a backslash";
}

TEST(Mountinfo, ChoosesOneLetterPerRealFileSystemRootFirst) {
    const struct {
        const char* why;
        const char* mountinfo;
        const char* expected; // letter=mount point@device, "(net)" for network
    } cases[] = {
        {"pseudo file systems get no letter",
         "22 27 0:21 / /proc rw - proc proc rw\n"
         "23 27 0:22 / /sys rw - sysfs sysfs rw\n"
         "24 27 0:6 / /dev rw - devtmpfs devtmpfs rw\n"
         "25 24 0:23 / /dev/shm rw - tmpfs tmpfs rw\n"
         "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
         "32 31 0:29 / /sys/fs/cgroup/cpu rw - cgroup cgroup rw\n"
         "33 27 8:17 / /home rw - ext4 /dev/sdb1 rw\n",
         "C=/@254:0 D=/home@8:17 "},
        {"an overlay root counts and the last root listed wins",
         "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "21 20 0:50 / / rw - overlay overlay rw\n"
         "22 21 8:1 /etc/hosts /etc/hosts rw - ext4 /dev/sda1 rw\n",
         "C=/@0:50 D=/etc/hosts@8:1 "},
        {"the first mount of a device wins",
         "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "2 1 8:2 / /data rw - xfs /dev/sda2 rw\n"
         "3 1 8:2 /sub /srv rw - xfs /dev/sda2 rw\n"
         "4 1 8:1 /var /var2 rw - ext4 /dev/sda1 rw\n",
         "C=/@8:1 D=/data@8:2 "},
        {"network types are marked, disc types skipped",
         "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "2 1 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
         "3 1 11:1 / /media/dvd ro - udf /dev/sr1 ro\n"
         "4 1 0:60 / /mnt/nfs rw - nfs server:/x rw\n"
         "5 1 0:61 / /mnt/smb rw - cifs //host/share rw\n"
         "6 1 0:62 / /mnt/ssh rw - fuse.sshfs me@host: rw\n"
         "7 1 0:63 / /home rw - btrfs /dev/sda3 rw\n",
         "C=/@8:1 D=/mnt/nfs@0:60(net) E=/mnt/smb@0:61(net) F=/mnt/ssh@0:62(net) "
         "G=/home@0:63 "},
        {"without a root mount the first real file system is C",
         "2 1 8:2 / /data rw - xfs /dev/sda2 rw\n", "C=/data@8:2 "},
        {"a mount covered by a later one gives way to it",
         "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "2 1 8:2 / /data rw - xfs /dev/sda2 rw\n"
         "3 1 8:3 / /data rw - xfs /dev/sda3 rw\n",
         "C=/@8:1 D=/data@8:3 "},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        std::string out;
        for (const auto& drive : choose_drive_mounts(parse_mountinfo(row.mountinfo))) {
            out += std::string(1, drive.letter) + "=" + drive.mount_point + "@" +
                   std::to_string(drive.major) + ":" + std::to_string(drive.minor) +
                   (drive.network ? "(net) " : " ");
        }
        EXPECT_EQ(out, row.expected);
    }
}

TEST(Mountinfo, StopsAtZ) {
    std::string text = "1 0 8:0 / / rw - ext4 /dev/sda rw\n";
    for (int i = 1; i <= 30; ++i) {
        const std::string n = std::to_string(i);
        text +=
            std::to_string(i + 1) + " 1 8:" + n + " / /m" + n + " rw - ext4 /dev/sda" + n + " rw\n";
    }
    const auto drives = choose_drive_mounts(parse_mountinfo(text));
    ASSERT_EQ(drives.size(), 24u);
    EXPECT_EQ(drives.back().letter, 'Z');
    EXPECT_EQ(drives.back().mount_point, "/m23");
}

TEST(HostDrives, ThisMachineHasItsRootAsCWithASize) {
    const auto drives = qor::host::list_drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_GT(drives[0].total_bytes, 0u);
    EXPECT_LE(drives[0].free_bytes, drives[0].total_bytes);
    for (size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ(drives[i].letter, static_cast<char>('C' + i));
        EXPECT_NE(drives[i].type, qor::host::drive_type::cd_dvd);
    }
}

} // namespace
