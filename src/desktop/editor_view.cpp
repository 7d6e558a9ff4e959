// The code editor's view: gutter with line numbers, lines coloured by a
// plain keyword test, the caret, and the status bar.
#include "desktop/app_windows.h"
#include "desktop/desktop_paint.h"
#include "desktop/editor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace qor::desktop {

namespace {

constexpr int kRowHeight = 16;
constexpr int kTextSize = 11;

int visible_rows(int h) {
    return h <= 47 ? 1 : (h - 32) / kRowHeight;
}

// The caret stands where the text before it ends, as the face measures it.
int caret_offset(const char* line, int column) {
    const std::string before(line, std::min<size_t>(std::strlen(line), column));
    return std::max(0, qor_graphics_measure_text(before.c_str(), kTextSize));
}

// A plain substring test: "print" counts as holding "int", as intended for
// such a small highlighter.
uint32_t line_colour(const char* line) {
    if (line[0] == '#') return 0xFFFFC864;
    if (std::strstr(line, "int") || std::strstr(line, "return")) return 0xFF00C800;
    return 0xFFC8C8C8;
}

} // namespace

void code_editor_follow_cursor(int h) {
    const int rows = visible_rows(h);
    if (g_code.cursor_row < g_code.scroll) g_code.scroll = g_code.cursor_row;
    while (g_code.cursor_row >= g_code.scroll + rows)
        ++g_code.scroll;
}

void render_code_editor(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x, y = win.y, w = win.w, h = win.h;
    paint_fill(x + 1, y + 26, w - 2, h - 28, 0xFF281E1E);
    const int rows = visible_rows(h);

    const int last = std::min(g_code.scroll + rows, g_code.line_count);
    for (int i = g_code.scroll; i < last; ++i) {
        const int r = y + 34 + kRowHeight * (i - g_code.scroll);
        paint_fill(x + 1, r, 32, kRowHeight, 0xFF322828);
        char number[12];
        std::snprintf(number, sizeof number, "%3d", i + 1);
        paint_text(number, x + 2, r + 2, 0xFF786464, 10);
        paint_text(g_code.lines[i], x + 36, r + 2, line_colour(g_code.lines[i]), kTextSize);
        if (i == g_code.cursor_row) {
            paint_fill(x + 36 + caret_offset(g_code.lines[i], g_code.cursor_col), r + 2, 2, 14,
                       0xFFDCDCDC);
        }
    }

    paint_fill(x + 1, y + h - 22, w - 2, 20, 0xFF3C3232);
    char status[64];
    std::snprintf(status, sizeof status, "Ln %d, Col %d  |  %d lines", g_code.cursor_row + 1,
                  g_code.cursor_col + 1, g_code.line_count);
    paint_text(status, x + 6, y + h - 19, 0xFFB4B4B4, 10);
}

} // namespace qor::desktop
