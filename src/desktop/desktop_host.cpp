// The desktop host on a build without a host window backend: the window
// cannot be set up, which is reported exactly as any failed window set-up.
#include "desktop/desktop_host.h"

#include "boot/shutdown_sequence.h"

#include <cstdio>

int run_desktop_host() {
    std::fputs("  [图形] 窗口注册失败!\n", stderr);
    std::fputs("  [系统] 图形界面创建失败!\n", stderr);
    return 1;
}

// This host never creates a window, a context or a registry entry, so the
// shutdown has nothing of the desktop's to release.
void release_desktop_graphics() {}
