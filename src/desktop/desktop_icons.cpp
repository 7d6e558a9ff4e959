// The desktop icons: a fixed table of boxes, the hit test over it, and one
// small glyph painter per icon.
#include "desktop/desktop_icons.h"

#include "desktop/desktop_paint.h"
#include "desktop/desktop_render.h"

namespace qor::desktop {

const desktop_icon g_icons[kDesktopIconCount] = {
    {1, 20, 20, 48, 48, "Files"},  {2, 20, 90, 48, 48, "Term"},     {3, 20, 160, 48, 48, "Qorget"},
    {4, 20, 230, 48, 48, "Code"},  {8, 20, 300, 48, 48, "Firefox"}, {5, 20, 370, 48, 48, "Disk"},
    {6, 20, 440, 48, 48, "homet"}, {7, 20, 510, 48, 40, "Apps"},
};

int hit_test_icon(int x, int y) {
    for (const desktop_icon& icon : g_icons) {
        if (x >= icon.x && x < icon.x + icon.w && y >= icon.y && y < icon.y + icon.h) {
            return icon.id;
        }
    }
    return 0;
}

namespace {

// Each glyph draws in the icon's box and returns the x of its label.
int draw_files_glyph(const desktop_icon& i) {
    paint_fill(i.x, i.y + 8, i.w, i.h - 8, 0xFF3CC8FF);
    paint_fill(i.x + 4, i.y, i.w - 12, 12, 0xFF3CC8FF);
    paint_outline(i.x, i.y, i.w, i.h, 0xFF1496C8);
    return i.x + 2;
}

int draw_terminal_glyph(const desktop_icon& i) {
    paint_fill(i.x, i.y, i.w, i.h, 0xFF141414);
    paint_outline(i.x, i.y, i.w, i.h, 0xFF00C800);
    paint_text(">_", i.x + 10, i.y + 14, 0xFF00FF00, 16);
    return i.x + 6;
}

// The only glyph that changes under the pointer.
int draw_qorget_glyph(const desktop_icon& i) {
    const int cx = i.x + i.w / 2;
    const int cy = i.y + i.h / 2;
    paint_disc(cx, cy, 20, g_hovered_icon == i.id ? 0xFF64FF64 : 0xFF009600);
    paint_line(cx, cy - 8, cx, cy + 8, kWhite);
    paint_line(cx - 5, cy + 3, cx, cy + 8, kWhite);
    paint_line(cx + 5, cy + 3, cx, cy + 8, kWhite);
    return i.x - 2;
}

int draw_code_glyph(const desktop_icon& i) {
    const int cx = i.x + i.w / 2;
    paint_triangle({cx, i.y}, {i.x, i.y + i.h}, {i.x + i.w, i.y + i.h}, 0xFF963264);
    paint_text("</>", i.x + 10, i.y + 14, kWhite, 12);
    return i.x + 10;
}

int draw_disk_glyph(const desktop_icon& i) {
    paint_fill(i.x, i.y + 4, i.w, i.h - 8, 0xFF32B4C8);
    paint_outline(i.x, i.y + 4, i.w, i.h - 8, 0xFF1E8296);
    paint_disc(i.x + i.w - 8, i.y + 10, 3, 0xFF00FF00);
    return i.x + 8;
}

int draw_home_glyph(const desktop_icon& i) {
    const int cx = i.x + i.w / 2;
    paint_fill(i.x, i.y + 4, i.w, i.h - 8, 0xFF3C64B4);
    paint_outline(i.x, i.y + 4, i.w, i.h - 8, 0xFF64C8FF);
    paint_triangle({cx, i.y}, {i.x, i.y + 12}, {i.x + i.w, i.y + 12}, 0xFF2850C8);
    return i.x + 6;
}

int draw_apps_glyph(const desktop_icon& i) {
    paint_fill(i.x, i.y + 4, i.w, i.h - 8, 0xFFC86432);
    paint_outline(i.x, i.y + 4, i.w, i.h - 8, 0xFFFFB464);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            paint_fill(i.x + 8 + 10 * col, i.y + 12 + 10 * row, 6, 6, kWhite);
        }
    }
    return i.x + 8;
}

int draw_firefox_glyph(const desktop_icon& i) {
    const int cx = i.x + i.w / 2;
    const int cy = i.y + i.h / 2;
    paint_disc(cx, cy, 22, 0xFF1478FF);
    paint_disc(cx, cy, 16, 0xFF963232);
    paint_text("F", cx - 6, cy - 8, kWhite, 16);
    return i.x - 4;
}

int draw_glyph(const desktop_icon& icon) {
    switch (icon.id) {
    case 1:
        return draw_files_glyph(icon);
    case 2:
        return draw_terminal_glyph(icon);
    case 3:
        return draw_qorget_glyph(icon);
    case 4:
        return draw_code_glyph(icon);
    case 5:
        return draw_disk_glyph(icon);
    case 6:
        return draw_home_glyph(icon);
    case 7:
        return draw_apps_glyph(icon);
    default:
        return draw_firefox_glyph(icon);
    }
}

} // namespace

void render_desktop_icons() {
    for (const desktop_icon& icon : g_icons) {
        const int label_x = draw_glyph(icon);
        paint_text(icon.label, label_x, icon.y + icon.h + 4, kWhite, 11);
    }
}

} // namespace qor::desktop
