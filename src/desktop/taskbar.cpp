#include "desktop/taskbar.h"

#include <cstdio>
#include <cstring>

#include <qoros/qor_system.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"
#include "desktop/desktop_render.h"
#include "desktop/start_menu.h"

taskbar_clock_source g_taskbar_clock = qor::host::now_local;

namespace {

constexpr int BUTTON_TOP = 574;
constexpr int BUTTON_HEIGHT = 22;
constexpr int BUTTON_WIDTH = 100;

// Every open slot owns the next button, in slot order; the buttons are not
// limited to the bar and run past its right edge, where drawing clips them.
int button_left(int button) {
    return 95 + 105 * button;
}

void draw_window_buttons() {
    int button = 0;
    for (int i = 0; i < APP_WINDOW_SLOTS; ++i) {
        const app_window& win = g_app_wins[i];
        if (!win.open) continue;
        const bool highlighted = i == g_active_win && !win.minimized;
        const int left = button_left(button);
        paint_fill(left, BUTTON_TOP, BUTTON_WIDTH, BUTTON_HEIGHT,
                   highlighted ? 0xFFA06400 : 0xFF463228);
        char label[15] = {};
        if (win.title) std::strncpy(label, win.title, sizeof label - 1);
        paint_text(label, left + 5, 578, WHITE, 10);
        ++button;
    }
}

void draw_clock() {
    const qor::host::local_time now = g_taskbar_clock();
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d", now.hour, now.minute);
    paint_text(clock, 740, 578, WHITE, 12);
}

void draw_drive_indicator() {
    qor_system_info info{};
    if (qor_system_get_info(&info) == 0 && info.m_drive_active) {
        paint_text("M: Active", 600, 578, 0xFF64FF00, 10);
    }
}

} // namespace

int taskbar_slot_at(int x, int y) {
    if (y < BUTTON_TOP || y > BUTTON_TOP + BUTTON_HEIGHT - 1) return -1;
    int button = 0;
    for (int i = 0; i < APP_WINDOW_SLOTS; ++i) {
        if (!g_app_wins[i].open) continue;
        const int left = button_left(button++);
        if (x >= left && x <= left + BUTTON_WIDTH - 1) return i;
    }
    return -1;
}

void render_taskbar() {
    paint_fill(0, 570, 800, 30, 0xF0231414);
    paint_line(0, 570, 800, 570, 0xFF78503C);
    paint_fill(5, BUTTON_TOP, 80, BUTTON_HEIGHT, g_start_menu_open ? 0xFFE6A000 : 0xFFC87800);
    paint_text("Start", 20, 577, WHITE, 12);
    draw_window_buttons();
    draw_clock();
    paint_text("QorOS v7.0", 650, 578, WHITE, 12);
    draw_drive_indicator();
}
