#include "boot/boot_modes.h"

#include "boot/banner.h"
#include "boot/boot_sequence.h"
#include "boot/shutdown_sequence.h"
#include "desktop/desktop_host.h"
#include "host/host_dialog.h"
#include "host/host_time.h"
#include "session/bootsys_paths.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <qoros/qor_log.h>
#include <qoros/qor_process.h>

namespace {

constexpr int kHeadlessPasses = 50;
constexpr uint32_t kHeadlessPassMs = 50;

void boot_tree_and_banner() {
    init_paths();
    init_directories();
    print_banner();
}

} // namespace

run_mode choose_mode(int argc, const char* const* argv) {
    if (argc < 2 || !argv[1]) return run_mode::desktop;
    const char* first = argv[1];
    if (!std::strcmp(first, "--version") || !std::strcmp(first, "-v")) return run_mode::version;
    if (!std::strcmp(first, "--headless") || !std::strcmp(first, "-h")) return run_mode::headless;
    return run_mode::desktop;
}

int run_version() {
    print_version();
    return 0;
}

int run_headless() {
    boot_tree_and_banner();
    // The failing step has logged what it logs; headless stops silently.
    if (init_subsystems() != 0) return 1;
    std::fputs("\n  [系统] QorOS v7.0 无头模式运行正常!\n", stdout);
    std::fputs("  [系统] 按 Ctrl+C 退出...\n", stdout);
    std::fflush(stdout);
    qor_log_info("无头模式运行中");
    for (int pass = 0; pass < kHeadlessPasses; ++pass) {
        qor_kernel_schedule();
        qor::host::sleep_ms(kHeadlessPassMs);
    }
    qor_temp_cleanup();
    qor_log_info("无头模式正常退出");
    std::fputs("  [系统] 无头模式退出\n", stdout);
    return 0;
}

int run_desktop() {
    std::setlocale(LC_ALL, "C");
    boot_tree_and_banner();
    if (init_subsystems() != 0) {
        std::fflush(stdout);
        std::fputs("\n  [系统] 致命错误: 子系统初始化失败!\n", stderr);
        qor_log_error("系统初始化失败, 启动中止");
        qor::host::show_error_box(
            "QorOS v7.0 启动错误",
            "QorOS 初始化失败, 无法启动。\n请查看 Logs\\system.log 获取详细信息。");
        return 1;
    }
    std::fputs("\n  [系统] 所有子系统就绪, QorOS v7.0 启动完成!\n", stdout);
    std::fputs("  [系统] 正在打开图形界面...\n\n", stdout);
    std::fflush(stdout);
    qor_log_info("QorOS v7.0 启动完成, 进入图形模式");
    // A window that cannot be set up has printed its lines; no shutdown.
    if (qor::desktop::run_desktop_host() != 0) return 1;
    return run_shutdown_sequence();
}
