// The desktop's application windows: a fixed table of ten slots whose
// windows are rectangles drawn into the one desktop framebuffer, with at
// most one active window (drawn on top, receives keys and characters).
#pragma once

#include <cstdint>

namespace qor::desktop {

// Window kinds. The start menu kind exists for completeness; the menu itself
// is drawn from g_start_menu_open and no input opens a window of this kind.
enum : int32_t {
    WIN_START_MENU = 1,
    WIN_FILES = 2,
    WIN_TERMINAL = 3,
    WIN_QORGET = 4,
    WIN_CODE_EDITOR = 5,
    WIN_DISK_MANAGER = 6,
    WIN_HOMET = 7,
    WIN_APP_STORE = 8,
    WIN_ABOUT = 9,
    WIN_BROWSER = 10,
};

struct app_window {
    int32_t kind;
    int32_t x, y, w, h; // outer rectangle, title bar included
    const char* title;
    uint8_t open;
    uint8_t minimized; // not drawn, not hit by clicks, still on the taskbar
};

constexpr int kAppWindowSlots = 10;
constexpr int kTitleBarHeight = 24;

extern app_window g_app_wins[kAppWindowSlots];
// Index of the active window, or -1 for none.
extern int32_t g_active_win;

// The title and outer rectangle a newly opened window of a kind gets
// ("Window", 100, 100, 400, 300 for kinds outside the table).
struct window_kind_layout {
    const char* title;
    int32_t x, y, w, h;
};
window_kind_layout layout_for_kind(int32_t kind);

// Brings the open window of this kind forward (restoring it when
// minimised), or opens one in the lowest free slot; with all slots open
// nothing happens.
void open_window(int32_t kind);

// Marks every slot closed and leaves no window active (desktop start).
void close_all_windows();

// The state changes that input makes on one slot. After a close or a
// minimise no other window becomes active by itself.
void activate_window(int slot);
void minimize_window(int slot);
void close_window(int slot);

// Open and not minimised: drawn and hit by clicks.
bool window_is_shown(int slot);

// The close box: the 18 x 16 rectangle at the right end of the title bar.
bool point_in_close_box(const app_window& win, int x, int y);

// Frame (shadow, title bar, close box, body, outline) and content of slot i.
void render_window_frame(int slot);
void render_window_content(int slot);

} // namespace qor::desktop
