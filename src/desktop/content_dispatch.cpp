// Hands each application window to the page that draws its kind, clipped to
// the window body below the title bar.
#include <qoros/qor_terminal.h>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_render.h"
#include "desktop/editor.h"
#include "desktop/explorer.h"
#include "graphics/clip_scope.h"

namespace qor::desktop {

void render_window_content(int slot) {
    const app_window& win = g_app_wins[slot];
    // A page paints below the title bar and never outside its window, however
    // long its texts are.
    const qor::gfx::clip_scope content(
        g_main_ctx, {win.x, win.y + kTitleBarHeight, win.w, win.h - kTitleBarHeight});
    switch (win.kind) {
    case WIN_FILES:
        render_files(slot);
        break;
    case WIN_TERMINAL:
        terminal_render_page(g_main_ctx, &g_term, win.x, win.y, win.w, win.h);
        break;
    case WIN_CODE_EDITOR:
        render_code_editor(slot);
        break;
    case WIN_HOMET: // the frame's inputs have put the explorer back home
        render_files(slot);
        break;
    case WIN_QORGET:
        render_qorget_page(slot);
        break;
    case WIN_DISK_MANAGER:
        render_disk_manager_page(slot);
        break;
    case WIN_APP_STORE:
        render_app_store_page(slot);
        break;
    case WIN_ABOUT:
        render_about_page(slot);
        break;
    case WIN_BROWSER:
        render_browser_page(slot);
        break;
    default:
        break; // the start menu kind and unknown kinds have no content
    }
}

} // namespace qor::desktop
