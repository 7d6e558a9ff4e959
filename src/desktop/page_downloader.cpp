// The downloader page: the mirror sources and the commands that download.
#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"
#include "desktop/page_style.h"

namespace qor::desktop {

namespace {

// Fixed labels of the mirrors; "(ready)" stands after 22 characters on the
// first line and after 23 on the others.
const char* const kMirrorLines[] = {
    "Mirror 1: Main        (ready)",  "Mirror 2: Backup       (ready)",
    "Mirror 3: Europe       (ready)", "Mirror 4: Asia         (ready)",
    "Mirror 5-7: ...        (ready)",
};

} // namespace

// The downloader page is a fixed text: it shows no live download state.
void render_qorget_page(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x + 10;
    paint_page_header(x, win.y, "Qorget Download Engine", "7 mirror sources ready");
    int line_y = win.y + 98;
    for (const char* line : kMirrorLines) {
        paint_text(line, x, line_y, kInk, 11);
        line_y += 16;
    }
    paint_text("可用命令: qorget <url> <dest>", x, win.y + 188, kAccent, 11);
    paint_text("Firefox: 输入 download firefox 获取浏览器", x, win.y + 208, kLinkBlue, 11);
    paint_fill(x, win.y + 232, 300, 20, 0xFFC8C8C8);
    paint_text("No active downloads", x, win.y + 256, kMutedText, 10);
}

} // namespace qor::desktop
