// Drawing of the explorer windows: toolbar with "^" and address box, the
// quick-access pane, the list with its four columns, and the status bar.
#include "desktop/explorer.h"
#include "desktop/explorer_paint.h"
#include "desktop/explorer_paths.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kInk = 0xFF322828;
constexpr uint32_t kGreyInk = 0xFF827878;
constexpr uint32_t kBorder = 0xFFD2C8C8;
constexpr uint32_t kHighlight = 0xFFFFE8CC;
constexpr uint32_t kFolderYellow = 0xFF3CC8FF;

void draw_toolbar(qor_context* ctx, int x, int y, int w) {
    paint::fill(ctx, x, y + 24, w, 28, kWhite);
    paint::outline(ctx, x + 4, y + 28, 24, 20, kBorder);
    paint::text(ctx, "^", x + 12, y + 31, kInk, 12);
    paint::outline(ctx, x + 32, y + 28, w - 36, 20, kBorder);
    char address[QOR_PATH_MAX];
    explorer_address_text(g_files.path, g_homet_dir, address);
    paint::text(ctx, address, x + 38, y + 32, kInk, 11);
}

void draw_quick_access(qor_context* ctx, int x, int y, int h) {
    paint::fill(ctx, x, y + 56, 120, h - 60, 0xFFFCF8F8);
    paint::line(ctx, x + 120, y + 56, x + 120, y + h - 4, kBorder);
    paint::text(ctx, "快速访问", x + 8, y + 60, kGreyInk, 10);
    for (int i = 0; i < kSidebarEntries; ++i) {
        const int r = y + 84 + 24 * i;
        if (i == g_files.sidebar_selected) paint::fill(ctx, x + 2, r - 6, 116, 24, kHighlight);
        paint::fill(ctx, x + 8, r, 12, 10, kFolderYellow);
        paint::text(ctx, g_sidebar[i].label, x + 24, r - 1, kInk, 11);
    }
}

struct list_columns {
    int width, type_x, size_x, date_x;
};

list_columns draw_list_header(qor_context* ctx, int x, int y, int w, int h) {
    const int L = w - 122;
    const list_columns cols{L, x + 121 + (2 * L) / 5, x + 121 + (3 * L) / 5, x + 121 + (4 * L) / 5};
    paint::fill(ctx, x + 121, y + 56, L, h - 60, kWhite);
    paint::fill(ctx, x + 121, y + 56, L, 20, 0xFFF5F0F0);
    paint::text(ctx, "名称", x + 129, y + 59, kGreyInk, 10);
    paint::text(ctx, "类型", cols.type_x, y + 59, kGreyInk, 10);
    paint::text(ctx, "大小", cols.size_x, y + 59, kGreyInk, 10);
    paint::text(ctx, "修改日期", cols.date_x, y + 59, kGreyInk, 10);
    paint::line(ctx, x + 121, y + 76, x + 121 + L, y + 76, kBorder);
    return cols;
}

void draw_entry_icon(qor_context* ctx, const file_entry& e, int x, int r) {
    if (e.is_dir) {
        paint::fill(ctx, x + 129, r, 20, 16, kFolderYellow);
        paint::fill(ctx, x + 131, r - 4, 12, 6, kFolderYellow);
        paint::outline(ctx, x + 129, r - 4, 20, 20, 0xFF1496C8);
        return;
    }
    constexpr uint32_t kPaperEdge = 0xFFDC9664;
    paint::fill(ctx, x + 131, r - 3, 16, 18, kWhite);
    paint::outline(ctx, x + 131, r - 3, 16, 18, kPaperEdge);
    qor_graphics_fill_triangle(ctx, qor_point{x + 143, r - 3}, qor_point{x + 147, r - 3},
                               qor_point{x + 147, r + 1}, paint::argb(kPaperEdge));
}

void draw_rows(qor_context* ctx, const list_columns& cols, int x, int y, int h) {
    const int n = std::min(files_visible_rows(h), g_files.count - g_files.scroll);
    for (int j = 0; j < n; ++j) {
        const int e = g_files.scroll + j;
        if (e >= g_files.count) break;
        const file_entry& entry = g_files.entries[e];
        const int r = y + 86 + 28 * j;
        if (e == g_files.selected) paint::fill(ctx, x + 121, r - 7, cols.width, 27, kHighlight);
        draw_entry_icon(ctx, entry, x, r);
        paint::text(ctx, entry.name, x + 155, r, entry.is_dir ? 0xFF965032 : kInk, 11);
        paint::text(ctx, entry.type, cols.type_x, r, kGreyInk, 10);
        if (!entry.is_dir) {
            char size[32];
            files_size_text(entry.size, size);
            paint::text(ctx, size, cols.size_x, r, kGreyInk, 10);
        }
        paint::text(ctx, entry.modified, cols.date_x, r, kGreyInk, 10);
    }
}

void draw_status_bar(qor_context* ctx, int x, int y, int w, int h) {
    paint::fill(ctx, x, y + h - 18, w, 18, 0xFFFAF5F5);
    paint::line(ctx, x, y + h - 18, x + w, y + h - 18, kBorder);
    char status[kStatusTextSize];
    files_status_text(status);
    paint::text(ctx, status, x + 8, y + h - 15, kGreyInk, 10);
}

} // namespace

void files_draw(qor_context* ctx, int x, int y, int w, int h) {
    paint::fill(ctx, x, y + 24, w, h - 24, kWhite);
    draw_toolbar(ctx, x, y, w);
    draw_quick_access(ctx, x, y, h);
    const list_columns cols = draw_list_header(ctx, x, y, w, h);
    draw_rows(ctx, cols, x, y, h);
    if (g_files.count <= 1) paint::text(ctx, "此文件夹为空", x + 141, y + 100, kGreyInk, 12);
    draw_status_bar(ctx, x, y, w, h);
}
