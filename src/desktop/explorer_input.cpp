// Mouse input of the explorer windows: the "^" button, the quick-access pane,
// the list, and the wheel over the list.
#include "desktop/explorer.h"
#include "desktop/explorer_paths.h"

#include "host/host_fs.h"
#include "host/host_shell.h"

#include <cstdio>
#include <cstring>

namespace qor::desktop {

const sidebar_entry g_sidebar[kSidebarEntries] = {
    {"homet", nullptr},         {"Desktop", "Desktop"},   {"Documents", "Documents"},
    {"Downloads", "Downloads"}, {"Pictures", "Pictures"},
};

namespace {

constexpr int kListLeft = 121;
constexpr int kListTop = 76;
constexpr int kRowHeight = 28;

bool on_up_button(int x, int y, int px, int py) {
    return y + 27 < py && py <= y + 47 && x + 3 < px && px <= x + 27;
}

bool on_quick_access(int x, int y, int px, int py) {
    return px <= x + 119 && y + 77 < py && py <= y + 197;
}

bool on_list(int x, int y, int px, int py) {
    return px >= x + kListLeft && py >= y + kListTop;
}

void open_quick_access(int i) {
    char target[QOR_PATH_MAX];
    const char* subfolder = g_sidebar[i].subfolder;
    if (!subfolder) {
        std::snprintf(target, sizeof target, "%s", g_homet_dir);
    } else if (g_homet_dir[0] == '\0') {
        // Without a home folder there is nothing to create a subfolder in.
        target[0] = '\0';
    } else if (explorer_join(g_homet_dir, subfolder, target)) {
        // Missing quick-access folders are made on first use; one that cannot
        // be made simply refuses the navigation below.
        qor::host::create_folder(target);
    } else {
        return; // a cut path would name another folder
    }
    if (target[0] != '\0') files_navigate(target);
    g_files.sidebar_selected = i;
}

void activate_entry(int i) {
    g_files.selected = i;
    const file_entry& entry = g_files.entries[i];
    char target[QOR_PATH_MAX];
    if (entry.is_dir && std::strcmp(entry.name, "..") == 0) {
        files_go_up();
    } else if (!explorer_join(g_files.path, entry.name, target)) {
        // The joined name does not fit a path: a cut one would name another
        // file or folder, so nothing happens.
    } else if (entry.is_dir) {
        files_navigate(target);
    } else {
        // Opening is fire and forget: a file no program takes stays unopened.
        qor::host::shell_open_document(target);
    }
}

void click_list(int y, int h, int py) {
    const int row = (py - y - 80) / kRowHeight;
    const int i = row + g_files.scroll;
    // Below the last listed row (the status bar, or a row not shown) nothing
    // is picked: a click must not open a file the user cannot see.
    if (row >= files_visible_rows(h) || i < 0 || i >= g_files.count) {
        g_files.selected = -1;
        return;
    }
    activate_entry(i);
}

} // namespace

void files_handle_click(int x, int y, int /*w*/, int h, int px, int py) {
    if (on_up_button(x, y, px, py)) {
        files_go_up();
    } else if (on_quick_access(x, y, px, py)) {
        const int i = (py - y - 78) / 24;
        if (i >= 0 && i < kSidebarEntries) open_quick_access(i);
    } else if (on_list(x, y, px, py)) {
        click_list(y, h, py);
    }
}

void files_handle_wheel(int x, int y, int /*w*/, int h, int px, int py, int notches) {
    if (!on_list(x, y, px, py)) return;
    files_scroll_by(-notches, files_visible_rows(h));
}

} // namespace qor::desktop
