// The Ctrl+Tab+A handler: its console lines and its system log entry.
#include "diskmount/disk_mount_hotkey.h"
#include "fake_drives.h"

#include "support/scratch.h"

#include <qoros/qor_log.h>

#include <cstdio>

using qor::host::drive_type;
using qor::test::fake_drive_list;
using qor::test::make_drive;

namespace {

class DiskMountHotkey : public qor::test::VirtualDrive {
  protected:
    struct run_output {
        std::string out, err;
    };

    static run_output run_handler() {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        handle_disk_mount();
        std::fflush(nullptr);
        run_output output;
        output.err = ::testing::internal::GetCapturedStderr();
        output.out = ::testing::internal::GetCapturedStdout();
        return output;
    }

    static std::string last_log_line() {
        const std::string log =
            qor::test::read_bytes(std::filesystem::path(qor_log_get_dir()) / "system.log");
        const size_t end = log.rfind("\r\n");
        if (end == std::string::npos) return {};
        const size_t start = log.rfind("\r\n", end - 1);
        return log.substr(start == std::string::npos ? 0 : start + 2,
                          end - (start == std::string::npos ? 0 : start + 2));
    }

    static bool ends_with(const std::string& text, const std::string& tail) {
        return text.size() >= tail.size() &&
               text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
};

TEST_F(DiskMountHotkey, ReportsTheNumberOfMappedDrives) {
    fake_drive_list() = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::cd_dvd),
                         make_drive('E', drive_type::removable)};
    const run_output output = run_handler();
    EXPECT_EQ(output.out, "\n  [磁盘] Ctrl+Tab+A 触发! 启动全域磁盘挂载...\n"
                          "  [磁盘] 挂载完成! 已映射 2 个磁盘\n");
    EXPECT_EQ(output.err, "");
    const std::string line = last_log_line();
    EXPECT_TRUE(ends_with(line, "] [INFO] 全域磁盘挂载完成")) << line;
}

TEST_F(DiskMountHotkey, AFailedMountPrintsItsCodeAndLogsAnError) {
    fake_drive_list().clear();
    const run_output output = run_handler();
    EXPECT_EQ(output.out, "\n  [磁盘] Ctrl+Tab+A 触发! 启动全域磁盘挂载...\n");
    EXPECT_EQ(output.err, "  [磁盘] 挂载失败! 错误码: -7\n");
    const std::string line = last_log_line();
    EXPECT_TRUE(ends_with(line, "] [ERROR] 磁盘挂载失败")) << line;
}

TEST_F(DiskMountHotkey, HeldOverSeveralFramesItKeepsTheFirstMount) {
    fake_drive_list() = {make_drive('C', drive_type::fixed)};
    run_handler();
    fake_drive_list() = {make_drive('C', drive_type::fixed), make_drive('D', drive_type::fixed)};
    const run_output output = run_handler();
    EXPECT_NE(output.out.find("已映射 1 个磁盘"), std::string::npos) << output.out;
}

} // namespace
