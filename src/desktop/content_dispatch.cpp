#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_render.h"
#include "desktop/editor.h"
#include "desktop/explorer.h"

#include <qoros/qor_terminal.h>

void render_window_content(int slot) {
    const app_window& win = g_app_wins[slot];
    switch (win.kind) {
    case WIN_FILES:
        render_files(slot);
        break;
    case WIN_HOMET:
        // The homet window always shows the home folder, whatever the
        // explorer did since the last frame.
        files_show_home();
        render_files(slot);
        break;
    case WIN_TERMINAL:
        terminal_render_page(g_main_ctx, &g_term, win.x, win.y, win.w, win.h);
        break;
    case WIN_CODE_EDITOR:
        render_code_editor(slot);
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
