// The Ctrl+Tab+A handler: its console lines and its system log entry.
#include "diskmount/disk_mount_hotkey.h"
#include "fake_drives.h"

#include "support/scratch.h"

#include <qoros/qor_log.h>

#include <cstdio>

using qor::host::drive_type;
using qor::test::make_drive;

namespace {

using DiskMountHotkey = qor::test::VirtualDrive;

// Mapped drives are counted on the console and the mount logged; a failed
// mount prints its code and logs an error.
TEST_F(DiskMountHotkey, ReportsTheMappedDrivesOrTheFailure) {
    const std::string start = "\n  [磁盘] Ctrl+Tab+A 触发! 启动全域磁盘挂载...\n";
    const struct {
        std::vector<qor::host::drive> reported;
        std::string out, err, logged;
    } rows[] = {
        {{make_drive('C', drive_type::fixed), make_drive('D', drive_type::cd_dvd),
          make_drive('E', drive_type::removable)},
         start + "  [磁盘] 挂载完成! 已映射 2 个磁盘\n",
         "",
         "] [INFO] 全域磁盘挂载完成\r\n"},
        {{}, start, "  [磁盘] 挂载失败! 错误码: -7\n", "] [ERROR] 磁盘挂载失败\r\n"},
    };
    for (const auto& row : rows) {
        qor_disk_unmount_all();
        g_drives = row.reported;
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        handle_disk_mount();
        std::fflush(nullptr);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), row.err);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), row.out);
        const std::string log =
            qor::test::read_bytes(std::filesystem::path(qor_log_get_dir()) / "system.log");
        EXPECT_TRUE(log.ends_with(row.logged)) << row.logged;
    }
}

} // namespace
