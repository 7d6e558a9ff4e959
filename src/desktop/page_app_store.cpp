// The application store page: how many packages are installed and the
// first of them, or how to make one when there are none.
#include <cstdio>

#include <qoros/qor_package.h>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"
#include "desktop/frame_inputs.h"
#include "desktop/page_style.h"

namespace qor::desktop {

namespace {

void draw_package_lines(const qpa_header* list, uint32_t count, int x, int top) {
    char line[256];
    std::snprintf(line, sizeof line, "%u apps installed:", count);
    paint_text(line, x, top + 76, kInk, 12);
    const uint32_t shown = count < kStoreListedPackages ? count : kStoreListedPackages;
    for (uint32_t j = 0; j < shown; ++j) {
        std::snprintf(line, sizeof line, "  %s v%s [%s]", list[j].name, list[j].version,
                      list[j].category);
        paint_text(line, x, top + 96 + 18 * static_cast<int>(j), kInk, 11);
    }
}

} // namespace

// The heading gives the full count while at most ten packages are listed.
void render_app_store_page(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x + 10;
    paint_page_header(x, win.y, "QorApp Store");
    const uint32_t count = g_frame_inputs.store_count;
    if (count != 0) {
        draw_package_lines(g_frame_inputs.store_list, count, x, win.y);
    } else {
        paint_text("No QorApp applications installed.", x, win.y + 76, kMutedText, 12);
        paint_text("Use dorvane.exe to convert EXE to .qpa", x, win.y + 94, kAccent, 11);
    }
}

} // namespace qor::desktop
