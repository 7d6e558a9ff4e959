#include "diskmount/disk_mount_hotkey.h"

#include <qoros/qor_disk.h>
#include <qoros/qor_log.h>

#include <cstdio>

void handle_disk_mount() {
    std::fputs("\n  [磁盘] Ctrl+Tab+A 触发! 启动全域磁盘挂载...\n", stdout);
    const int code = qor_disk_mount_all();
    if (code != QOR_OK) {
        std::fprintf(stderr, "  [磁盘] 挂载失败! 错误码: %d\n", code);
        qor_log_error("磁盘挂载失败");
        return;
    }
    qor_disk_entry drives[QOR_DISK_MAX_DRIVES];
    uint32_t count = 0;
    qor_disk_list(drives, QOR_DISK_MAX_DRIVES, &count);
    std::printf("  [磁盘] 挂载完成! 已映射 %u 个磁盘\n", count);
    qor_log_info("全域磁盘挂载完成");
}
