// Drawing of the explorer windows: toolbar with "^" and address box, the
// quick-access pane, the list with its four columns, and the status bar.
// Texts stay inside their box or column, and only whole rows are listed.
#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"
#include "desktop/desktop_render.h"
#include "desktop/explorer.h"
#include "desktop/explorer_paths.h"
#include "graphics/clip_scope.h"

#include <algorithm>
#include <cstdio>

namespace qor::desktop {

namespace {

constexpr uint32_t kInk = 0xFF322828;
constexpr uint32_t kGreyInk = 0xFF827878;
constexpr uint32_t kBorder = 0xFFD2C8C8;
constexpr uint32_t kHighlight = 0xFFFFE8CC;
constexpr uint32_t kFolderYellow = 0xFF3CC8FF;

// Text cut at the column's right edge (columns left .. right-1).
void column_text(const char* text, int left, int right, int tx, int ty, uint32_t color, int size) {
    const qor::gfx::clip_scope column(g_main_ctx, qor::gfx::column_area(g_main_ctx, left, right));
    paint_text(text, tx, ty, color, size);
}

void draw_toolbar(int x, int y, int w) {
    paint_fill(x, y + 24, w, 28, kWhite);
    paint_outline(x + 4, y + 28, 24, 20, kBorder);
    paint_text("^", x + 12, y + 31, kInk, 12);
    paint_outline(x + 32, y + 28, w - 36, 20, kBorder);
    char address[QOR_PATH_MAX];
    explorer_address_text(g_files.path, g_homet_dir, address);
    column_text(address, x + 33, x + w - 5, x + 38, y + 32, kInk, 11);
}

void draw_quick_access(int x, int y, int h) {
    paint_fill(x, y + 56, 120, h - 60, 0xFFFCF8F8);
    paint_line(x + 120, y + 56, x + 120, y + h - 4, kBorder);
    paint_text("快速访问", x + 8, y + 60, kGreyInk, 10);
    for (int i = 0; i < kSidebarEntries; ++i) {
        const int r = y + 84 + 24 * i;
        if (i == g_files.sidebar_selected) paint_fill(x + 2, r - 6, 116, 24, kHighlight);
        paint_fill(x + 8, r, 12, 10, kFolderYellow);
        paint_text(g_sidebar[i].label, x + 24, r - 1, kInk, 11);
    }
}

struct list_columns {
    int left, width, type_x, size_x, date_x;
    int right() const { return left + width; }
};

list_columns draw_list_header(int x, int y, int w, int h) {
    const int L = w - 122;
    const list_columns cols{x + 121, L, x + 121 + (2 * L) / 5, x + 121 + (3 * L) / 5,
                            x + 121 + (4 * L) / 5};
    paint_fill(x + 121, y + 56, L, h - 60, kWhite);
    paint_fill(x + 121, y + 56, L, 20, 0xFFF5F0F0);
    column_text("名称", cols.left, cols.type_x, x + 129, y + 59, kGreyInk, 10);
    column_text("类型", cols.type_x, cols.size_x, cols.type_x, y + 59, kGreyInk, 10);
    column_text("大小", cols.size_x, cols.date_x, cols.size_x, y + 59, kGreyInk, 10);
    column_text("修改日期", cols.date_x, cols.right(), cols.date_x, y + 59, kGreyInk, 10);
    paint_line(x + 121, y + 76, x + 121 + L, y + 76, kBorder);
    return cols;
}

void draw_entry_icon(const file_entry& e, int x, int r) {
    if (e.is_dir) {
        paint_fill(x + 129, r, 20, 16, kFolderYellow);
        paint_fill(x + 131, r - 4, 12, 6, kFolderYellow);
        paint_outline(x + 129, r - 4, 20, 20, 0xFF1496C8);
        return;
    }
    constexpr uint32_t kPaperEdge = 0xFFDC9664;
    paint_fill(x + 131, r - 3, 16, 18, kWhite);
    paint_outline(x + 131, r - 3, 16, 18, kPaperEdge);
    paint_triangle(qor_point{x + 143, r - 3}, qor_point{x + 147, r - 3}, qor_point{x + 147, r + 1},
                   kPaperEdge);
}

void draw_rows(const list_columns& cols, int x, int y, int h) {
    const int n = std::min(files_visible_rows(h), g_files.count - g_files.scroll);
    for (int j = 0; j < n; ++j) {
        const int e = g_files.scroll + j;
        if (e >= g_files.count) break;
        const file_entry& entry = g_files.entries[e];
        const int r = y + 86 + 28 * j;
        if (e == g_files.selected) paint_fill(x + 121, r - 7, cols.width, 27, kHighlight);
        draw_entry_icon(entry, x, r);
        column_text(entry.name, cols.left, cols.type_x, x + 155, r,
                    entry.is_dir ? 0xFF965032 : kInk, 11);
        column_text(entry.type, cols.type_x, cols.size_x, cols.type_x, r, kGreyInk, 10);
        if (!entry.is_dir) {
            char size[32];
            files_size_text(entry.size, size);
            column_text(size, cols.size_x, cols.date_x, cols.size_x, r, kGreyInk, 10);
        }
        column_text(entry.modified, cols.date_x, cols.right(), cols.date_x, r, kGreyInk, 10);
    }
}

void draw_status_bar(int x, int y, int w, int h) {
    paint_fill(x, y + h - 18, w, 18, 0xFFFAF5F5);
    paint_line(x, y + h - 18, x + w, y + h - 18, kBorder);
    char status[kStatusTextSize];
    files_status_text(status);
    paint_text(status, x + 8, y + h - 15, kGreyInk, 10);
}

} // namespace

void render_files(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x, y = win.y, w = win.w, h = win.h;
    paint_fill(x, y + 24, w, h - 24, kWhite);
    draw_toolbar(x, y, w);
    draw_quick_access(x, y, h);
    const list_columns cols = draw_list_header(x, y, w, h);
    draw_rows(cols, x, y, h);
    if (g_files.count <= 1) paint_text("此文件夹为空", x + 141, y + 100, kGreyInk, 12);
    draw_status_bar(x, y, w, h);
}

} // namespace qor::desktop
