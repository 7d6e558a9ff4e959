// The taskbar: start button, one button per open window, clock, version
// label and M: indicator. The window buttons share the room between the start
// button and the first label right of them; when more are open than fit at
// their full width, all narrow alike so every one stays visible and
// clickable.
#include "desktop/taskbar.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include <qoros/qor_system.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"
#include "desktop/desktop_render.h"
#include "desktop/frame_inputs.h"
#include "desktop/start_menu.h"

namespace qor::desktop {

taskbar_clock_source g_taskbar_clock = qor::host::now_local;

namespace {

constexpr int kButtonTop = 574;
constexpr int kButtonHeight = 22;
constexpr int kButtonWidth = 100;
constexpr int kButtonGap = 5;
constexpr int kButtonsLeft = 95;
constexpr int kTitleInset = 5;
constexpr size_t kTitleMaxBytes = 14;
constexpr int kDriveIndicatorX = 600;
constexpr int kVersionLabelX = 650;

bool drive_indicator_shown() {
    return g_frame_inputs.m_drive_active;
}

struct button_row {
    int count, width;
    int left(int button) const { return kButtonsLeft + (width + kButtonGap) * button; }
};

// The buttons end a gap before the first label drawn to their right.
button_row layout_buttons() {
    int count = 0;
    for (const app_window& win : g_app_wins)
        count += win.open ? 1 : 0;
    const int room_end = (drive_indicator_shown() ? kDriveIndicatorX : kVersionLabelX) - kButtonGap;
    const int room = room_end - kButtonsLeft;
    if (count == 0 || count * kButtonWidth + (count - 1) * kButtonGap <= room)
        return {count, kButtonWidth};
    return {count, (room - (count - 1) * kButtonGap) / count};
}

bool utf8_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void drop_last_character(std::string& text) {
    while (!text.empty() && utf8_continuation(text.back()))
        text.pop_back();
    if (!text.empty()) text.pop_back();
}

// A full-width button shows the title's first 14 bytes, as it always has; a
// narrowed one shows as many whole UTF-8 characters of those as fit `width`
// pixels at size 10.
std::string button_label(const char* title, bool narrowed, int width) {
    std::string label = title ? std::string(title, strnlen(title, kTitleMaxBytes)) : "";
    if (!narrowed) return label;
    if (!label.empty() &&
        (utf8_continuation(label.back()) || static_cast<unsigned char>(label.back()) >= 0xC0)) {
        drop_last_character(label); // the 14th byte ends inside a character
    }
    while (!label.empty() && qor_graphics_measure_text(label.c_str(), 10) > width)
        drop_last_character(label);
    return label;
}

void draw_window_buttons() {
    const button_row row = layout_buttons();
    int button = 0;
    for (int i = 0; i < kAppWindowSlots; ++i) {
        const app_window& win = g_app_wins[i];
        if (!win.open) continue;
        const bool highlighted = i == g_active_win && !win.minimized;
        const int left = row.left(button);
        paint_fill(left, kButtonTop, row.width, kButtonHeight,
                   highlighted ? 0xFFA06400 : 0xFF463228);
        const std::string label =
            button_label(win.title, row.width < kButtonWidth, row.width - kTitleInset);
        paint_text(label.c_str(), left + kTitleInset, 578, kWhite, 10);
        ++button;
    }
}

void draw_clock() {
    const qor::host::local_time& now = g_frame_inputs.clock;
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d", now.hour, now.minute);
    paint_text(clock, 740, 578, kWhite, 12);
}

void draw_drive_indicator() {
    if (drive_indicator_shown()) paint_text("M: Active", kDriveIndicatorX, 578, 0xFF64FF00, 10);
}

} // namespace

int taskbar_slot_at(int x, int y) {
    if (y < kButtonTop || y > kButtonTop + kButtonHeight - 1) return -1;
    const button_row row = layout_buttons();
    int button = 0;
    for (int i = 0; i < kAppWindowSlots; ++i) {
        if (!g_app_wins[i].open) continue;
        const int left = row.left(button++);
        if (x >= left && x <= left + row.width - 1) return i;
    }
    return -1;
}

void render_taskbar() {
    paint_fill(0, 570, 800, 30, 0xF0231414);
    paint_line(0, 570, 800, 570, 0xFF78503C);
    paint_fill(5, kButtonTop, 80, kButtonHeight, g_start_menu_open ? 0xFFE6A000 : 0xFFC87800);
    paint_text("Start", 20, 577, kWhite, 12);
    draw_window_buttons();
    draw_clock();
    paint_text("QorOS v7.0", kVersionLabelX, 578, kWhite, 12);
    draw_drive_indicator();
}

} // namespace qor::desktop
