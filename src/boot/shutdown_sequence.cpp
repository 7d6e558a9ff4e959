#include "boot/shutdown_sequence.h"

#include "session/shutdown_hooks.h"

#include <cstdio>
#include <qoros/qor_disk.h>
#include <qoros/qor_log.h>
#include <qoros/qor_system.h>

// The security layer, math engine, terminal, event queue and process table
// hold no host resources worth releasing before the process ends.
int run_shutdown_sequence() {
    std::fputs("\n  [系统] 正在关闭 QorOS v7.0...\n", stdout);
    qor_log_info("系统关闭中...");
    qor_disk_unmount_all();
    std::fputs("  [磁盘] 已卸载所有磁盘映射\n", stdout);
    qor::session::release_graphics();
    std::fputs("  [图形] 图形资源已释放\n", stdout);
    qor_system_shutdown();
    std::fputs("  [内核] 内核已关闭\n", stdout);
    qor_temp_cleanup();
    std::fputs("  [临时] Temp 目录已清理\n", stdout);
    qor_log_info("QorOS v7.0 已安全关闭");
    std::fputs("\n  ============================================================\n", stdout);
    std::fputs("  |  QorOS v7.0 已安全关闭, 感谢使用!                       |\n", stdout);
    std::fputs("  ============================================================\n\n", stdout);
    return 0;
}
