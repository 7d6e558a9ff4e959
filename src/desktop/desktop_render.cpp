// Drawing the desktop, whole or one area at a time. An area is drawn with
// the clip set to it, from the lowest layer that shows there: what an opaque
// window (or the start menu) covers entirely is not drawn, and the wallpaper
// is laid only where no opaque rectangle above it lies. Inside the area the
// pixels are exactly those of drawing everything, because clipping never
// changes what a drawing paints, only where.
#include "desktop/desktop_render.h"

#include "desktop/app_windows.h"
#include "desktop/desktop_icons.h"
#include "desktop/desktop_paint.h"
#include "desktop/frame_inputs.h"
#include "desktop/start_menu.h"
#include "desktop/taskbar.h"
#include "graphics/clip_scope.h"

#include <algorithm>

namespace qor::desktop {

qor_context* g_main_ctx = nullptr;
bool g_start_menu_open = false;
int g_hovered_icon = 0;

namespace {

constexpr int kMostWallpaperPieces = 24;

bool contains(const qor_rect& outer, const qor_rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

// The layers above the wallpaper that paint a whole rectangle opaquely, in
// drawing order: the shown windows (title bar and body cover the window's
// rectangle; the shadow lies outside it), then the open start menu's panel.
struct layers {
    int slots[kAppWindowSlots];
    int window_count = 0;
    qor_rect opaque[kAppWindowSlots + 1];
    int opaque_count = 0;
};

layers stack_layers() {
    layers out;
    auto add = [&out](int slot) {
        const app_window& win = g_app_wins[slot];
        out.slots[out.window_count++] = slot;
        out.opaque[out.opaque_count++] = {win.x, win.y, win.w, win.h};
    };
    for (int i = 0; i < kAppWindowSlots; ++i)
        if (i != g_active_win && window_is_shown(i)) add(i);
    if (window_is_shown(g_active_win)) add(g_active_win);
    if (g_start_menu_open) out.opaque[out.opaque_count++] = kStartMenuPanel;
    return out;
}

// The parts of `area` that no opaque rectangle covers; when
// they would be too many, the last uncut remainder stands for them.
int uncovered_pieces(const qor_rect& area, const layers& stack, qor_rect* out) {
    int count = 1;
    out[0] = area;
    for (int k = 0; k < stack.opaque_count; ++k) {
        const qor_rect& cover = stack.opaque[k];
        qor_rect next[kMostWallpaperPieces];
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            const qor_rect& p = out[i];
            if (!rects_overlap(p, cover)) {
                next[kept++] = p;
                continue;
            }
            if (kept + 4 > kMostWallpaperPieces) return count; // stop cutting
            const int top = std::max(p.y, cover.y), bottom = std::min(p.y + p.h, cover.y + cover.h);
            if (cover.y > p.y) next[kept++] = {p.x, p.y, p.w, cover.y - p.y};
            if (cover.y + cover.h < p.y + p.h)
                next[kept++] = {p.x, bottom, p.w, p.y + p.h - bottom};
            if (cover.x > p.x) next[kept++] = {p.x, top, cover.x - p.x, bottom - top};
            if (cover.x + cover.w < p.x + p.w)
                next[kept++] = {cover.x + cover.w, top, p.x + p.w - cover.x - cover.w,
                                bottom - top};
        }
        std::copy(next, next + kept, out);
        count = kept;
    }
    return count;
}

void draw_wallpaper(const qor_rect& area, const layers& stack) {
    qor_rect pieces[kMostWallpaperPieces];
    const int count = uncovered_pieces(area, stack, pieces);
    for (int i = 0; i < count; ++i) {
        const qor::gfx::clip_scope piece(g_main_ctx, pieces[i]);
        // The whole framebuffer's gradient: each piece gets its own rows' colours.
        paint_vertical_gradient(0, 0, kDesktopWidth, kDesktopHeight, 0xFF3C1E0A, 0xFF5A3214);
    }
}

// A window draws only inside its rectangle and shadow, so a window that
// misses the area, or that an opaque layer above covers there, is skipped.
void draw_window(int place, const qor_rect& area, const layers& stack) {
    const int slot = stack.slots[place];
    const app_window& win = g_app_wins[slot];
    const qor_rect bounds{win.x, win.y, win.w + 3, win.h + 3};
    if (!rects_overlap(bounds, area)) return;
    for (int k = place + 1; k < stack.opaque_count; ++k) {
        if (contains(stack.opaque[k], bounds)) return;
    }
    const qor::gfx::clip_scope inside(g_main_ctx, bounds);
    render_window_frame(slot);
    // The content follows its frame only while the slot is still shown.
    if (window_is_shown(slot)) render_window_content(slot);
}

// The lowest layer that shows in `area`: -1 for the wallpaper, a window's
// place, or window_count for the start menu.
int lowest_visible_layer(const qor_rect& area, const layers& stack) {
    for (int k = stack.opaque_count - 1; k >= 0; --k) {
        if (contains(stack.opaque[k], area)) return k;
    }
    return -1;
}

} // namespace

void draw_desktop_area(const qor_rect& area) {
    if (!g_main_ctx) return;
    const qor::gfx::clip_scope clip(g_main_ctx, area);
    const layers stack = stack_layers();
    const int lowest = lowest_visible_layer(area, stack);
    if (lowest < 0) {
        draw_wallpaper(area, stack);
        render_desktop_icons();
    }
    for (int place = std::max(lowest, 0); place < stack.window_count; ++place)
        draw_window(place, area, stack);
    if (g_start_menu_open && rects_overlap(area, kStartMenuPanel)) render_start_menu();
    if (rects_overlap(area, kTaskbarArea)) render_taskbar();
}

void render_desktop() {
    if (!g_main_ctx) return;
    update_frame_inputs(true);
    draw_desktop_area({0, 0, kDesktopWidth, kDesktopHeight});
}

} // namespace qor::desktop
