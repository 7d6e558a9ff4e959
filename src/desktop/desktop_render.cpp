#include "desktop/desktop_render.h"

#include "desktop/app_windows.h"
#include "desktop/desktop_icons.h"
#include "desktop/desktop_paint.h"
#include "desktop/start_menu.h"
#include "desktop/taskbar.h"

qor_context* g_main_ctx = nullptr;
bool g_start_menu_open = false;
int g_hovered_icon = 0;

namespace {

// The content follows its frame only while the slot is still shown.
void render_window(int slot) {
    render_window_frame(slot);
    if (window_is_shown(slot)) render_window_content(slot);
}

void render_windows() {
    for (int i = 0; i < APP_WINDOW_SLOTS; ++i) {
        if (i != g_active_win && window_is_shown(i)) render_window(i);
    }
    if (window_is_shown(g_active_win)) render_window(g_active_win);
}

} // namespace

void render_desktop() {
    if (!g_main_ctx) return;
    paint_vertical_gradient(0, 0, DESKTOP_WIDTH, DESKTOP_HEIGHT, 0xFF3C1E0A, 0xFF5A3214);
    render_desktop_icons();
    render_windows();
    if (g_start_menu_open) render_start_menu();
    render_taskbar();
}
