#include "boot/boot_sequence.h"

#include "boot/bounded_text.h"
#include "boot/system_tree.h"
#include "desktop/explorer_state.h"
#include "session/bootsys_paths.h"

#include <cstdio>
#include <qoros/qor_graphics.h>
#include <qoros/qor_hooks.h>
#include <qoros/qor_log.h>
#include <qoros/qor_math.h>
#include <qoros/qor_package.h>
#include <qoros/qor_security.h>
#include <qoros/qor_system.h>
#include <qoros/qor_terminal.h>

namespace {

constexpr uint32_t kInstalledListCapacity = 64;

void say(const char* line) {
    std::fputs(line, stdout);
}

// The explorer opens on the home folder with nothing listed or selected.
void reset_explorer_state() {
    qor::desktop::explorer_state& files = qor::desktop::g_files;
    qor::copy_bounded(files.path, sizeof files.path, g_homet_dir);
    files.count = 0;
    files.selected = -1;
    files.scroll = 0;
    files.sidebar_selected = 0;
}

// Refused folders of the system tree were told on the console when it was
// built; the log keeps them too where it can, and boot stops.
int check_system_tree() {
    const auto& problems = qor::system_tree_problems();
    for (const std::string& problem : problems)
        qor_log_error(problem.c_str());
    return problems.empty() ? QOR_OK : QOR_ERR_IO;
}

int start_log_and_temp_area() {
    say("  [日志] 正在初始化系统日志...\n");
    if (const int code = check_system_tree()) return code;
    qor_log_info("QorOS v7.0 启动中 (Windows 寄生模式)");
    say("  [日志] 日志系统就绪 (Logs\\system.log)\n");
    qor_temp_cleanup();
    say("  [临时] Temp 目录已清理\n");
    return QOR_OK;
}

int start_kernel() {
    say("  [内核] 正在初始化系统内核...\n");
    if (const int code = qor_system_init()) {
        qor_log_error("内核初始化失败");
        return code;
    }
    say("  [内核] 内核初始化完成\n");
    return QOR_OK;
}

int start_graphics() {
    say("  [图形] 正在启动 Qor 图形渲染引擎...\n");
    if (const int code = qor_graphics_init()) {
        qor_log_error("图形引擎启动失败");
        return code;
    }
    say("  [图形] Qor 图形引擎就绪 (TrueType 字体支持)\n");
    return QOR_OK;
}

// The security, hook and math layers report their own failures.
int start_quiet(const char* before, int (*start)(void), const char* after) {
    say(before);
    if (const int code = start()) return code;
    say(after);
    return QOR_OK;
}

int start_terminal() {
    say("  [终端] 正在初始化终端命令系统...\n");
    terminal_init(&g_term, g_homet_dir);
    g_term_init = true;
    std::printf("  [终端] 终端就绪 (%d 命令已注册)\n", terminal_get_command_count());
    return QOR_OK;
}

int start_explorer() {
    say("  [文件] 正在初始化文件管理器...\n");
    reset_explorer_state();
    say("  [文件] 文件管理器就绪 (Explorer 风格)\n");
    return QOR_OK;
}

int scan_packages() {
    say("  [应用] 正在扫描已安装 QorApp...\n");
    static qpa_header installed[kInstalledListCapacity];
    uint32_t count = 0;
    qpa_list_installed(installed, kInstalledListCapacity, &count);
    std::printf("  [应用] 发现 %u 个已安装应用\n", count);
    if (*g_firefox_qpa && qor_file_exists(g_firefox_qpa))
        say("  [浏览器] Firefox (.qpa) 已安装\n");
    else
        say("  [浏览器] Firefox (.qpa) 未安装, 可通过 Qorget 获取\n");
    return QOR_OK;
}

int start_security() {
    return start_quiet("  [安全] 正在激活安全防护层...\n", qor_security_init,
                       "  [安全] 安全防护层已激活\n");
}

int start_hooks() {
    return start_quiet("  [汇编] 正在加载 NASM 底层钩子...\n", qor_asm_init_keyhook,
                       "  [汇编] 底层钩子已加载\n");
}

int start_math() {
    return start_quiet("  [数学] 正在初始化数学计算引擎...\n", qor_math_init,
                       "  [数学] 数学引擎就绪\n");
}

boot_step g_boot_steps[] = {
    start_log_and_temp_area, start_kernel,   start_graphics,
    start_security,          start_hooks,    start_math,
    start_terminal,          start_explorer, scan_packages,
};

} // namespace

std::span<boot_step> boot_steps() {
    return g_boot_steps;
}

int init_subsystems() {
    for (const boot_step run : g_boot_steps)
        if (const int code = run()) return code;
    return QOR_OK;
}
