// The whole desktop drawn into one 800 x 600 context: wallpaper, icons,
// application windows, start menu and taskbar, whole or one area at a time.
#pragma once

#include <qoros/qor_graphics.h>

namespace qor::desktop {

constexpr int kDesktopWidth = 800;
constexpr int kDesktopHeight = 600;

// The open start menu's opaque panel and the taskbar, which lies over all.
constexpr qor_rect kStartMenuPanel{5, 350, 200, 220};
constexpr qor_rect kTaskbarArea{0, 570, kDesktopWidth, 30};

inline bool rects_overlap(const qor_rect& a, const qor_rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The desktop's context; every drawing of the desktop goes into it.
extern qor_context* g_main_ctx;

// The start menu is shown.
extern bool g_start_menu_open;
// The icon id under the pointer, 0 for none, or -100 - kind while the
// pointer is over the start menu entry of that window kind.
extern int g_hovered_icon;

// Reads the frame's inputs and draws everything into g_main_ctx; does
// nothing while it does not exist.
void render_desktop();

// Draws the desktop inside `area` only, from the inputs already read; the
// pixels there are those render_desktop would draw.
void draw_desktop_area(const qor_rect& area);

} // namespace qor::desktop
