// The application window table and its slot rules: each window kind opens
// at its fixed place and size, a kind is open at most once, and the active
// window is the one drawn on top.
#include "desktop/app_windows.h"

namespace qor::desktop {

app_window g_app_wins[kAppWindowSlots];
int32_t g_active_win = -1;

namespace {

struct kind_row {
    int32_t kind;
    window_kind_layout layout;
};

const kind_row kKindLayouts[] = {
    {WIN_START_MENU, {"Start Menu", 5, 350, 200, 220}},
    {WIN_FILES, {"Files", 80, 40, 640, 480}},
    {WIN_TERMINAL, {"Terminal", 100, 60, 600, 400}},
    {WIN_QORGET, {"Qorget Downloader", 100, 60, 480, 380}},
    {WIN_CODE_EDITOR, {"Code Editor", 80, 60, 560, 420}},
    {WIN_DISK_MANAGER, {"Disk Manager", 100, 80, 500, 350}},
    {WIN_HOMET, {"homet - User Files", 80, 40, 640, 480}},
    {WIN_APP_STORE, {"QorApp Store", 100, 50, 500, 400}},
    {WIN_ABOUT, {"About QorOS", 200, 150, 400, 280}},
    {WIN_BROWSER, {"Firefox Browser", 60, 30, 700, 500}},
};

const window_kind_layout kUnknownKindLayout = {"Window", 100, 100, 400, 300};

} // namespace

window_kind_layout layout_for_kind(int32_t kind) {
    for (const kind_row& row : kKindLayouts) {
        if (row.kind == kind) return row.layout;
    }
    return kUnknownKindLayout;
}

void open_window(int32_t kind) {
    for (int i = 0; i < kAppWindowSlots; ++i) {
        if (g_app_wins[i].open && g_app_wins[i].kind == kind) {
            activate_window(i);
            return;
        }
    }
    for (int i = 0; i < kAppWindowSlots; ++i) {
        app_window& win = g_app_wins[i];
        if (win.open) continue;
        const window_kind_layout layout = layout_for_kind(kind);
        win.kind = kind;
        win.x = layout.x;
        win.y = layout.y;
        win.w = layout.w;
        win.h = layout.h;
        win.title = layout.title;
        win.open = 1;
        win.minimized = 0;
        g_active_win = i;
        return;
    }
}

void close_all_windows() {
    for (app_window& win : g_app_wins)
        win.open = 0;
    g_active_win = -1;
}

void activate_window(int slot) {
    g_active_win = slot;
    g_app_wins[slot].minimized = 0;
}

void minimize_window(int slot) {
    g_app_wins[slot].minimized = 1;
    g_active_win = -1;
}

void close_window(int slot) {
    g_app_wins[slot].open = 0;
    g_active_win = -1;
}

bool window_is_shown(int slot) {
    return slot >= 0 && slot < kAppWindowSlots && g_app_wins[slot].open &&
           !g_app_wins[slot].minimized;
}

bool point_in_close_box(const app_window& win, int x, int y) {
    return x >= win.x + win.w - 24 && x <= win.x + win.w - 7 && y >= win.y + 4 && y <= win.y + 19;
}

} // namespace qor::desktop
