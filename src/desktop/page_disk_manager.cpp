// The disk manager page: the mount hotkey and whether the M: drive is
// active now.
#include <qoros/qor_system.h>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"
#include "desktop/frame_inputs.h"
#include "desktop/page_style.h"

namespace qor::desktop {

void render_disk_manager_page(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x + 10;
    paint_page_header(x, win.y, "Disk Manager");
    paint_text("Press Ctrl+Tab+A to mount all disks", x, win.y + 76, kAccent, 12);
    paint_text("Disks will be mapped to M: drive", x, win.y + 98, kInk, 12);
    if (g_frame_inputs.m_drive_active) {
        paint_text("Status: M: drive ACTIVE", x, win.y + 122, 0xFF00B400, 12);
    } else {
        paint_text("Status: Not mounted", x, win.y + 122, 0xFF0000B4, 12);
    }
}

} // namespace qor::desktop
