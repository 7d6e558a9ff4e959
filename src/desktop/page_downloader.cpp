#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"

namespace {

constexpr uint32_t INK = 0xFF1E1414;
constexpr uint32_t ACCENT = 0xFFB46400;

// Fixed labels of the mirrors; "(ready)" stands after 22 characters on the
// first line and after 23 on the others.
const char* const k_mirror_lines[] = {
    "Mirror 1: Main        (ready)",  "Mirror 2: Backup       (ready)",
    "Mirror 3: Europe       (ready)", "Mirror 4: Asia         (ready)",
    "Mirror 5-7: ...        (ready)",
};

} // namespace

// The downloader page is a fixed text: it shows no live download state.
void render_qorget_page(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x + 10;
    paint_text("Qorget Download Engine", x, win.y + 32, INK, 14);
    paint_text("7 mirror sources ready", x, win.y + 56, ACCENT, 12);
    paint_text("--------------------------------", x, win.y + 76, INK, 12);
    int line_y = win.y + 98;
    for (const char* line : k_mirror_lines) {
        paint_text(line, x, line_y, INK, 11);
        line_y += 16;
    }
    paint_text("可用命令: qorget <url> <dest>", x, win.y + 188, ACCENT, 11);
    paint_text("Firefox: 输入 download firefox 获取浏览器", x, win.y + 208, 0xFF1478FF, 11);
    paint_fill(x, win.y + 232, 300, 20, 0xFFC8C8C8);
    paint_text("No active downloads", x, win.y + 256, 0xFF787878, 10);
}
