// Reads what a frame shows from outside the desktop (clock, M: drive, the
// installed packages, the browser package) and settles the shown windows'
// own state before anything is drawn.
#include "desktop/frame_inputs.h"

#include <qoros/qor_system.h>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/editor.h"
#include "desktop/explorer.h"
#include "desktop/taskbar.h"

#include <cstring>

namespace qor::desktop {

frame_inputs g_frame_inputs{};

namespace {

constexpr uint32_t kStoreListingCapacity = 64;

bool kind_shown(int32_t kind) {
    for (int i = 0; i < kAppWindowSlots; ++i)
        if (window_is_shown(i) && g_app_wins[i].kind == kind) return true;
    return false;
}

// The store lists the packages folder afresh; the heading gives the full
// count while at most ten packages are listed.
void read_store_listing() {
    qpa_header list[kStoreListingCapacity];
    uint32_t count = 0;
    qpa_list_installed(list, kStoreListingCapacity, &count);
    if (count > kStoreListingCapacity) count = kStoreListingCapacity;
    g_frame_inputs.store_count = count;
    const uint32_t listed = count < kStoreListedPackages ? count : kStoreListedPackages;
    std::memset(g_frame_inputs.store_list, 0, sizeof g_frame_inputs.store_list);
    std::memcpy(g_frame_inputs.store_list, list, listed * sizeof(qpa_header));
}

// The windows' own state follows what they show, in drawing order.
void settle_shown_windows() {
    for (int i = 0; i < kAppWindowSlots; ++i) {
        if (!window_is_shown(i)) continue;
        const app_window& win = g_app_wins[i];
        if (win.kind == WIN_CODE_EDITOR) {
            if (!g_code_init) code_editor_init();
            code_editor_follow_cursor(win.h);
        }
    }
}

} // namespace

void update_frame_inputs(bool look_outside) {
    g_frame_inputs.clock = g_taskbar_clock();
    if (look_outside) {
        qor_system_info info{};
        g_frame_inputs.m_drive_active = qor_system_get_info(&info) == 0 && info.m_drive_active;
        // A homet window always shows the home folder, whatever the shared
        // explorer state was moved to since.
        if (kind_shown(WIN_HOMET)) files_show_home();
        if (kind_shown(WIN_APP_STORE)) read_store_listing();
        g_frame_inputs.browser_installed = browser_package_installed();
    }
    settle_shown_windows();
}

} // namespace qor::desktop
