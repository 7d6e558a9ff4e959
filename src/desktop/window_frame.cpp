#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"

void render_window_frame(int slot) {
    const app_window& win = g_app_wins[slot];
    const bool active = slot == g_active_win;
    paint_fill(win.x + 3, win.y + 3, win.w, win.h, 0x50000000);
    paint_fill(win.x, win.y, win.w, TITLE_BAR_HEIGHT, active ? 0xFFC87800 : 0xFF503C3C);
    if (win.title) paint_text(win.title, win.x + 8, win.y + 4, WHITE, 12);
    paint_fill(win.x + win.w - 24, win.y + 4, 18, 16, 0xFF3232C8);
    paint_text("X", win.x + win.w - 20, win.y + 5, WHITE, 12);
    paint_fill(win.x, win.y + TITLE_BAR_HEIGHT, win.w, win.h - TITLE_BAR_HEIGHT, 0xFFF5F0F0);
    paint_outline(win.x, win.y, win.w, win.h, active ? 0xFFFFB464 : 0xFF786464);
}
