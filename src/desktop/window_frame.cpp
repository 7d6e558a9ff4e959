// A window's frame: the translucent shadow 3 pixels right and down, title
// bar with title and close box, body and outline.
#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"

namespace qor::desktop {

void render_window_frame(int slot) {
    const app_window& win = g_app_wins[slot];
    const bool active = slot == g_active_win;
    // The shadow is the window's rectangle moved by (3, 3). Title bar and body
    // then cover the window's own rectangle opaquely, so only the two strips
    // outside it are blended: right (with the corner) and bottom.
    paint_fill(win.x + win.w, win.y + 3, 3, win.h, 0x50000000);
    paint_fill(win.x + 3, win.y + win.h, win.w - 3, 3, 0x50000000);
    paint_fill(win.x, win.y, win.w, kTitleBarHeight, active ? 0xFFC87800 : 0xFF503C3C);
    if (win.title) paint_text(win.title, win.x + 8, win.y + 4, kWhite, 12);
    paint_fill(win.x + win.w - 24, win.y + 4, 18, 16, 0xFF3232C8);
    paint_text("X", win.x + win.w - 20, win.y + 5, kWhite, 12);
    paint_fill(win.x, win.y + kTitleBarHeight, win.w, win.h - kTitleBarHeight, 0xFFF5F0F0);
    paint_outline(win.x, win.y, win.w, win.h, active ? 0xFFFFB464 : 0xFF786464);
}

} // namespace qor::desktop
