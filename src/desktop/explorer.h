// The file explorer: listing, navigation, clicks, wheel scrolling and the
// drawing of the Files and homet windows.
#pragma once

#include "desktop/explorer_state.h"

#include <cstdint>
#include <vector>

namespace qor::host {
struct folder_entry;
}

namespace qor::desktop {

// The quick-access pane: label and folder below the home folder (nullptr for
// the home folder itself).
struct sidebar_entry {
    const char* label;
    const char* subfolder;
};
constexpr int kSidebarEntries = 5;
extern const sidebar_entry g_sidebar[kSidebarEntries];

// Re-reads g_files.path into the listing (host order, at most 128 entries).
void files_refresh();
// Makes path the current folder (and the process directory) and lists it.
// Nothing changes when the host refuses the folder or its full name would not
// fit the 260-byte path field.
void files_navigate(const char* path);
// The "^" button and the ".." entry: the folder above, if there is one.
void files_go_up();
// What every drawing of a homet window does first: back to the home folder.
void files_show_home();

// A left click at (px, py) in the content of an explorer window whose outer
// rectangle is (x, y, w, h).
void files_handle_click(int x, int y, int w, int h, int px, int py);
// Mouse wheel over an explorer window: notches > 0 scroll towards the top.
// Only a point over the list scrolls it, by one row per notch.
void files_handle_wheel(int x, int y, int w, int h, int px, int py, int notches);

// Rows of the list that an explorer window of height h shows.
int files_visible_rows(int h);
// Moves the first shown row by rows, keeping it within
// [0, max(0, count - visible_rows)].
void files_scroll_by(int rows, int visible_rows);

// Draws the explorer content of the window in slot into the desktop context.
void render_files(int slot);

// The status bar's text: the item count (".." not counted) and the path.
// Room for the whole path: a cut could end inside a UTF-8 character, and the
// text runs past the window's edge long before its length matters.
constexpr int kStatusTextSize = 64 + QOR_PATH_MAX;
void files_status_text(char (&out)[kStatusTextSize]);

// The size column's text ("1023 B", "1.5 KB", ...), into a 32-byte buffer.
void files_size_text(uint64_t size, char (&out)[32]);

// Where the listing comes from: the host's folder enumeration, or a test
// double that returns a fixed listing (host order differs between file
// systems). nullptr restores the host's.
using files_folder_lister = bool (*)(const char* path, std::vector<host::folder_entry>* out);
void files_set_folder_lister(files_folder_lister lister);

} // namespace qor::desktop
