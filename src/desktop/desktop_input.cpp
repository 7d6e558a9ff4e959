// Message routing: every host-independent message (key, character, pointer,
// wheel, paint, destroy) is mapped to the framebuffer and dispatched to the
// start menu, the taskbar, the icons or the active window.
#include "desktop/desktop_input.h"

#include <qoros/qor_event.h>
#include <qoros/qor_terminal.h>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_host.h"
#include "desktop/desktop_icons.h"
#include "desktop/desktop_render.h"
#include "desktop/editor.h"
#include "desktop/explorer.h"
#include "desktop/frame_update.h"
#include "desktop/start_menu.h"
#include "desktop/taskbar.h"
#include "host/host_keys.h"
#include "host/host_time.h"

namespace qor::desktop {

using qor::host::window_message;
using qor::host::window_message_kind;

framebuffer_point map_to_framebuffer(int client_x, int client_y, int client_w, int client_h) {
    if (client_w <= 0 || client_h <= 0) return {client_x, client_y};
    return {client_x * kDesktopWidth / client_w, client_y * kDesktopHeight / client_h};
}

void render_and_present(bool look_outside) {
    desktop_frame_update(look_outside);
}

namespace {

// ---- keys and characters ----

void push_key_event(uint32_t key) {
    qor_event event{};
    event.type = QOR_EVENT_KEY_DOWN;
    event.key = static_cast<int32_t>(key);
    event.window = g_desktop_win;
    event.timestamp = qor::host::tick_count_ms();
    qor_event_push(&event);
}

void route_key_without_active_window(uint32_t key) {
    if (key != qor::host::keys::kKeyEscape) return;
    if (g_start_menu_open) {
        g_start_menu_open = false;
        render_and_present(false);
    } else {
        request_quit();
    }
}

void route_key_to_terminal(uint32_t key) {
    if (!g_term_init) return;
    int changed = 0; // the desktop redraws whatever the terminal reports
    terminal_process_key(&g_term, key, &changed);
}

void route_key(uint32_t key) {
    push_key_event(key);
    if (g_active_win < 0) {
        route_key_without_active_window(key);
        return;
    }
    const int slot = g_active_win;
    const bool shown = window_is_shown(slot);
    const int32_t kind = g_app_wins[slot].kind;
    if (shown && kind == WIN_CODE_EDITOR) {
        // The editor takes every key itself; Escape does not close it.
        if (!g_code_init) code_editor_init();
        code_editor_key(key);
        render_and_present(false);
        return;
    }
    if (key == qor::host::keys::kKeyEscape) {
        close_window(slot);
        render_and_present(false);
        return;
    }
    if (shown && kind == WIN_TERMINAL) {
        route_key_to_terminal(key);
        render_and_present(false);
    }
}

// The terminal takes printable ASCII only; the editor sorts characters out
// itself.
void route_character(uint32_t character) {
    if (!window_is_shown(g_active_win)) return;
    const int32_t kind = g_app_wins[g_active_win].kind;
    if (kind == WIN_TERMINAL) {
        const uint32_t byte = character & 0xFF;
        if (g_term_init && byte >= 0x20 && byte <= 0x7E) {
            terminal_process_char(&g_term, static_cast<int>(byte));
        }
        render_and_present(false);
    } else if (kind == WIN_CODE_EDITOR) {
        if (!g_code_init) code_editor_init();
        code_editor_char(static_cast<int>(character));
        render_and_present(false);
    }
}

// ---- pointer ----

void track_hover(framebuffer_point p) {
    g_hovered_icon = hit_test_icon(p.x, p.y);
    if (!g_start_menu_open) return;
    const int entry = start_menu_entry_at(p.x, p.y);
    if (entry >= 0) g_hovered_icon = -100 - g_start_menu_entries[entry].kind;
}

// Opening a kind from the start menu or an icon; the browser package is
// launched instead of its page when it is installed.
void open_kind(int32_t kind) {
    if (kind == WIN_BROWSER && launch_browser_package()) return;
    open_window(kind);
}

// Returns true when the click was inside the open menu and is handled.
bool click_open_start_menu(framebuffer_point p) {
    const int entry = start_menu_entry_at(p.x, p.y);
    g_start_menu_open = false;
    if (entry >= 0) {
        // The explorer re-reads its folder when a Files window opens (a homet
        // window re-reads the home folder on every drawing anyway).
        const int32_t kind = g_start_menu_entries[entry].kind;
        open_kind(kind);
        if (kind == WIN_FILES) files_refresh();
        return true;
    }
    return point_on_start_button(p.x, p.y);
}

bool click_taskbar_button(framebuffer_point p) {
    const int slot = taskbar_slot_at(p.x, p.y);
    if (slot < 0) return false;
    if (slot == g_active_win && !g_app_wins[slot].minimized) {
        minimize_window(slot);
    } else {
        activate_window(slot);
    }
    return true;
}

bool point_in_window(int slot, framebuffer_point p) {
    if (!window_is_shown(slot)) return false;
    const app_window& win = g_app_wins[slot];
    return p.x >= win.x && p.x < win.x + win.w && p.y >= win.y && p.y < win.y + win.h;
}

// The active window lies on top, then the others from the highest slot.
int topmost_window_at(framebuffer_point p) {
    if (point_in_window(g_active_win, p)) return g_active_win;
    for (int i = kAppWindowSlots - 1; i >= 0; --i) {
        if (point_in_window(i, p)) return i;
    }
    return -1;
}

bool is_explorer_kind(int32_t kind) {
    return kind == WIN_FILES || kind == WIN_HOMET;
}

void click_window_content(int slot, framebuffer_point p) {
    const app_window& win = g_app_wins[slot];
    if (is_explorer_kind(win.kind)) {
        files_handle_click(win.x, win.y, win.w, win.h, p.x, p.y);
    } else if (win.kind == WIN_BROWSER) {
        launch_browser_package();
    }
}

bool click_window(framebuffer_point p) {
    const int slot = topmost_window_at(p);
    if (slot < 0) return false;
    activate_window(slot);
    const app_window& win = g_app_wins[slot];
    if (point_in_close_box(win, p.x, p.y)) {
        close_window(slot);
    } else if (p.y >= win.y + kTitleBarHeight) {
        click_window_content(slot, p);
    }
    return true;
}

int32_t kind_for_icon(int icon_id) {
    switch (icon_id) {
    case 1:
        return WIN_FILES;
    case 2:
        return WIN_TERMINAL;
    case 3:
        return WIN_QORGET;
    case 4:
        return WIN_CODE_EDITOR;
    case 5:
        return WIN_DISK_MANAGER;
    case 6:
        return WIN_HOMET;
    case 7:
        return WIN_APP_STORE;
    default:
        return WIN_BROWSER;
    }
}

void click_desktop(framebuffer_point p) {
    const int icon = hit_test_icon(p.x, p.y);
    if (icon != 0) {
        const int32_t kind = kind_for_icon(icon); // both explorer icons refresh
        open_kind(kind);
        if (kind == WIN_FILES || kind == WIN_HOMET) files_refresh();
    }
    g_start_menu_open = false;
}

// Tested in order; the first step that matches handles the click. A click
// outside the open menu closes it and goes on as if it had been closed.
bool click_handled(framebuffer_point p) {
    if (g_start_menu_open && click_open_start_menu(p)) return true;
    if (point_on_start_button(p.x, p.y)) {
        g_start_menu_open = true;
        return true;
    }
    return click_taskbar_button(p) || click_window(p);
}

void route_click(framebuffer_point p) {
    if (!click_handled(p)) click_desktop(p);
    render_and_present(true);
}

// The wheel scrolls the explorer list of the window under the pointer; the
// other kinds do not scroll.
void route_wheel(framebuffer_point p, int notches) {
    const int slot = topmost_window_at(p);
    if (slot < 0) return;
    const app_window& win = g_app_wins[slot];
    if (!is_explorer_kind(win.kind)) return;
    files_handle_wheel(win.x, win.y, win.w, win.h, p.x, p.y, notches);
    render_and_present(true);
}

void paint_framebuffer() {
    if (!g_main_ctx) return;
    qor::host::window_paint(qor_graphics_get_framebuffer(g_main_ctx),
                            qor_graphics_get_width(g_main_ctx),
                            qor_graphics_get_height(g_main_ctx));
}

} // namespace

void desktop_handle_message(const window_message& message) {
    const framebuffer_point point =
        map_to_framebuffer(message.x, message.y, message.client_w, message.client_h);
    switch (message.kind) {
    case window_message_kind::paint:
        paint_framebuffer();
        break;
    case window_message_kind::destroy:
        request_quit();
        break;
    case window_message_kind::key_down:
        route_key(message.key);
        break;
    case window_message_kind::character:
        route_character(message.character);
        break;
    case window_message_kind::mouse_move:
        track_hover(point);
        break;
    case window_message_kind::left_button_down:
        route_click(point);
        break;
    case window_message_kind::mouse_wheel:
        route_wheel(point, message.wheel);
        break;
    }
}

} // namespace qor::desktop
