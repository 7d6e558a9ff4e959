// The start menu: its entry table, the row hit test and its drawing, with
// the hovered entry highlighted.
#include "desktop/start_menu.h"

#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"
#include "desktop/desktop_render.h"

namespace qor::desktop {

const start_menu_entry g_start_menu_entries[kStartMenuEntryCount] = {
    {"File Manager", WIN_FILES}, {"Terminal", WIN_TERMINAL},
    {"Qorget", WIN_QORGET},      {"Code Editor", WIN_CODE_EDITOR},
    {"Firefox", WIN_BROWSER},    {"Disk Manager", WIN_DISK_MANAGER},
    {"homet Files", WIN_HOMET},  {"App Store", WIN_APP_STORE},
    {"About QorOS", WIN_ABOUT},
};

namespace {
constexpr int kFirstRowY = 380;
constexpr int kRowHeight = 20;
} // namespace

int start_menu_entry_at(int x, int y) {
    if (x < 5 || x > 204 || y < kFirstRowY || y > 559) return -1;
    return (y - kFirstRowY) / kRowHeight;
}

bool point_on_start_button(int x, int y) {
    return x >= 5 && x <= 84 && y >= 574 && y <= 595;
}

void render_start_menu() {
    paint_fill(5, 350, 200, 220, 0xFF3C281E);
    paint_outline(5, 350, 200, 220, 0xFFB47850);
    paint_text("Start Menu", 15, 358, kWhite, 12);
    for (int e = 0; e < kStartMenuEntryCount; ++e) {
        const start_menu_entry& entry = g_start_menu_entries[e];
        const bool hovered = g_hovered_icon == -100 - entry.kind;
        paint_fill(10, kFirstRowY + kRowHeight * e, 190, 18, hovered ? 0xFF785032 : 0xFF463228);
        paint_text(entry.label, 20, kFirstRowY + 2 + kRowHeight * e, kWhite, 11);
    }
}

} // namespace qor::desktop
