// The browser launcher: whether the browser package is installed, its
// start, and the page that says how to get it.
#include <qoros/qor_package.h>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"
#include "desktop/frame_inputs.h"
#include "desktop/page_style.h"
#include "session/bootsys_paths.h"

namespace qor::desktop {

bool browser_package_installed() {
    return g_firefox_qpa[0] != '\0' && qor_file_exists(g_firefox_qpa);
}

bool launch_browser_package() {
    if (!browser_package_installed()) return false;
    qpa_run_app(g_firefox_qpa, nullptr, nullptr);
    return true;
}

namespace {

void draw_installed_texts(int x, int y) {
    paint_text("Firefox Browser (QorOS .qpa Edition)", x, y + 70, kLinkBlue, 18);
    paint_text("Firefox 已安装为 .qpa 格式", x, y + 100, 0xFF322828, 12);
    paint_text("点击此处启动 Firefox", x, y + 130, 0xFFC86400, 12);
}

void draw_missing_texts(int x, int y) {
    paint_text("Firefox Browser", x, y + 70, kLinkBlue, 18);
    paint_text("Firefox 尚未安装为 .qpa 格式", x, y + 100, 0xFF322828, 12);
    paint_text("请在 Qorget 中下载 Firefox, 或在终端输入:", x, y + 124, 0xFF463C3C, 11);
    paint_text("  download firefox", x, y + 144, 0xFFC86400, 11);
    paint_text("系统将自动下载并转换为 .qpa 格式", x, y + 164, 0xFF827878, 10);
}

} // namespace

// The browser launcher page; its toolbar and address box are decoration.
void render_browser_page(int slot) {
    const app_window& win = g_app_wins[slot];
    paint_fill(win.x + 1, win.y + 25, win.w - 2, win.h - 26, 0xFFFFFFFF);
    paint_fill(win.x + 1, win.y + 25, win.w - 2, 30, 0xFFF5F0F0);
    paint_text("< >", win.x + 10, win.y + 31, 0xFF3C3C3C, 12);
    paint_outline(win.x + 40, win.y + 30, win.w - 80, 20, 0xFFD2C8C8);
    paint_text("about:blank", win.x + 46, win.y + 33, kMutedText, 11);
    if (g_frame_inputs.browser_installed) {
        draw_installed_texts(win.x + 20, win.y);
    } else {
        draw_missing_texts(win.x + 20, win.y);
    }
    const int cx = win.x + win.w - 80;
    const int cy = win.y + 100;
    paint_disc(cx, cy, 30, kLinkBlue);
    paint_disc(cx, cy, 22, 0xFF963232);
    paint_text("F", win.x + win.w - 88, win.y + 88, kWhite, 24);
}

} // namespace qor::desktop
