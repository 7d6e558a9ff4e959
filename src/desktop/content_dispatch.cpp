#include "desktop/app_windows.h"
#include "desktop/content_pages.h"

// The explorer kinds, the terminal and the code editor are drawn by their
// own modules; they hook in here as they join the desktop.
void render_window_content(int slot) {
    switch (g_app_wins[slot].kind) {
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
