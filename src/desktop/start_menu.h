// The start menu: nine entries that each open a window kind, shown above
// the start button while g_start_menu_open is set.
#pragma once

#include <cstdint>

namespace qor::desktop {

struct start_menu_entry {
    const char* label;
    int32_t kind;
};

constexpr int kStartMenuEntryCount = 9;
extern const start_menu_entry g_start_menu_entries[kStartMenuEntryCount];

// The entry whose 20-pixel row holds the point inside the menu's clickable
// area (5..204, 380..559, wider than the drawn boxes), or -1 outside it.
int start_menu_entry_at(int x, int y);

// The start button on the taskbar (5..84, 574..595).
bool point_on_start_button(int x, int y);

void render_start_menu();

} // namespace qor::desktop
