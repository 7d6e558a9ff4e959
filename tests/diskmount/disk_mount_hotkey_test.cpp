// The Ctrl+Tab+A handler: its console lines and its system log entry.
#include "diskmount/disk_mount_hotkey.h"
#include "fake_drives.h"

#include "support/scratch.h"

#include <qoros/qor_log.h>

#include <cstdio>

using qor::host::drive_type;
using qor::test::make_drive;

namespace {

class DiskMountHotkey : public qor::test::VirtualDrive {
  protected:
    // Runs the handler; out and err get its console output.
    void run_handler() {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        handle_disk_mount();
        std::fflush(nullptr);
        err = ::testing::internal::GetCapturedStderr();
        out = ::testing::internal::GetCapturedStdout();
    }
    static bool log_ends_with(const std::string& line) {
        const std::string log =
            qor::test::read_bytes(std::filesystem::path(qor_log_get_dir()) / "system.log");
        const std::string tail = line + "\r\n";
        return log.size() >= tail.size() &&
               log.compare(log.size() - tail.size(), tail.size(), tail) == 0;
    }
    std::string out, err;
};

TEST_F(DiskMountHotkey, ReportsTheNumberOfMappedDrives) {
    g_drives = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::cd_dvd),
                make_drive('E', drive_type::removable)};
    run_handler();
    EXPECT_EQ(out, "\n  [磁盘] Ctrl+Tab+A 触发! 启动全域磁盘挂载...\n"
                   "  [磁盘] 挂载完成! 已映射 2 个磁盘\n");
    EXPECT_EQ(err, "");
    EXPECT_TRUE(log_ends_with("] [INFO] 全域磁盘挂载完成"));
}

TEST_F(DiskMountHotkey, AFailedMountPrintsItsCodeAndLogsAnError) {
    g_drives.clear();
    run_handler();
    EXPECT_EQ(out, "\n  [磁盘] Ctrl+Tab+A 触发! 启动全域磁盘挂载...\n");
    EXPECT_EQ(err, "  [磁盘] 挂载失败! 错误码: -7\n");
    EXPECT_TRUE(log_ends_with("] [ERROR] 磁盘挂载失败"));
}

} // namespace
