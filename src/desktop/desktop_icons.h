// The eight desktop icons: their boxes, labels, glyphs and hit test.
#pragma once

namespace qor::desktop {

struct desktop_icon {
    int id;
    int x, y, w, h;
    const char* label;
};

constexpr int kDesktopIconCount = 8;
extern const desktop_icon g_icons[kDesktopIconCount];

// The id of the first icon whose box holds the point (right and bottom
// edges excluded), 0 when none does. Windows over an icon are not considered.
int hit_test_icon(int x, int y);

// Each icon's glyph and white label, in table order.
void render_desktop_icons();

} // namespace qor::desktop
