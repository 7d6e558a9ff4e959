// The desktop in its host window: set-up, the paced frame loop (a pass,
// then a 16 ms sleep) and the release step that the shutdown sequence runs.
#include "desktop/desktop_host.h"

#include <cstdio>

#include <qoros/qor_event.h>
#include <qoros/qor_graphics.h>
#include <qoros/qor_hooks.h>
#include <qoros/qor_window.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_input.h"
#include "desktop/desktop_render.h"
#include "desktop/frame_update.h"
#include "diskmount/disk_mount_hotkey.h"
#include "host/host_time.h"
#include "host/host_window.h"
#include "session/shutdown_hooks.h"

namespace qor::desktop {

bool g_running = false;
int g_desktop_win = 0;

namespace {

constexpr uint32_t kFrameSleepMs = 16;

int report_setup_failure(const char* line) {
    std::fputs(line, stderr);
    std::fputs("  [系统] 图形界面创建失败!\n", stderr);
    return 1;
}

void run_frame_loop() {
    g_running = true;
    while (run_frame_pass()) {
        qor::host::sleep_ms(kFrameSleepMs);
        if (!g_running) break;
    }
}

// Shutdown step: the registry entry, the desktop context and, with them,
// the host window and its windowing system (which hold session resources
// such as the D-Bus connection until they are released).
void release_desktop_graphics() {
    if (g_desktop_win != 0) qor_window_destroy(g_desktop_win);
    g_desktop_win = 0;
    qor_graphics_destroy_context(g_main_ctx);
    g_main_ctx = nullptr;
    qor::host::window_destroy();
}

} // namespace

void request_quit() {
    g_running = false;
    qor::host::window_post_quit();
}

bool run_frame_pass() {
    if (!qor::host::window_pump_messages(desktop_handle_message)) {
        g_running = false;
        return false;
    }
    if (!g_running) return false;
    if (qor_asm_check_disk_hotkey()) {
        handle_disk_mount();
        render_and_present(true);
    }
    qor_event event{};
    qor_event_poll(&event);
    if (event.type == QOR_EVENT_QUIT) {
        g_running = false;
    } else if (event.type == QOR_EVENT_DISK_MOUNT) {
        handle_disk_mount();
    }
    // Draws only what changed; an idle desktop draws nothing. A mount changes
    // what the taskbar and the disk page read from the system.
    desktop_frame_update(event.type == QOR_EVENT_DISK_MOUNT);
    return true;
}

int run_desktop_host() {
    qor::session::set_graphics_release(release_desktop_graphics);
    if (!qor::host::window_system_start()) return report_setup_failure("  [图形] 窗口注册失败!\n");
    if (!qor::host::window_create("QorOS v7.0 - Vuredivaz Uvodadov UZ", kDesktopWidth,
                                  kDesktopHeight)) {
        return report_setup_failure("  [图形] 窗口创建失败!\n");
    }
    g_main_ctx = qor_graphics_create_context(kDesktopWidth, kDesktopHeight);
    if (!g_main_ctx) return report_setup_failure("  [图形] 图形上下文创建失败!\n");
    const qor_rect bounds{0, 0, kDesktopWidth, kDesktopHeight};
    g_desktop_win = qor_window_create("QorOS Desktop", &bounds, 1, 0);
    close_all_windows();
    qor::host::window_show();
    desktop_frame_forget();
    render_and_present(true);
    run_frame_loop();
    return 0;
}

} // namespace qor::desktop
