#include <cstdio>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"

namespace {

constexpr uint32_t INK = 0xFF1E1414;

struct about_line {
    int y;
    const char* text;
};

const about_line k_about_lines[] = {
    {94, "Codename: Talvoren"},
    {112, "QorApp Format: v6"},
    {130, "Host: Windows x64"},
    {148, "Engine: Qor Software Renderer"},
    {166, "Font: TrueType (GDI)"},
    {184, "Terminal: 260+ commands"},
    {202, "Files: Explorer-style manager"},
};

} // namespace

void render_about_page(int slot) {
    const app_window& win = g_app_wins[slot];
    const int x = win.x + 10;
    paint_text("About QorOS v7.0", x, win.y + 32, INK, 14);
    paint_text("--------------------------------", x, win.y + 54, INK, 12);
    paint_text("Vuredivaz Uvodadov UZ", x, win.y + 76, 0xFFB46400, 12);
    for (const about_line& line : k_about_lines)
        paint_text(line.text, x, win.y + line.y, INK, 12);
    char build[64];
    std::snprintf(build, sizeof build, "Build: %s", "2026-09-12");
    paint_text(build, x, win.y + 220, INK, 12);
}
