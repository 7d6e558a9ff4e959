// The About page: the version heading, the author line and a fixed list of
// facts about the build.
#include <cstdio>

#include "desktop/app_windows.h"
#include "desktop/content_pages.h"
#include "desktop/desktop_paint.h"
#include "desktop/page_style.h"

namespace qor::desktop {

namespace {

struct about_line {
    int y;
    const char* text;
};

const about_line kAboutLines[] = {
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
    paint_page_header(x, win.y, "About QorOS v7.0");
    paint_text("Vuredivaz Uvodadov UZ", x, win.y + 76, kAccent, 12);
    for (const about_line& line : kAboutLines)
        paint_text(line.text, x, win.y + line.y, kInk, 12);
    char build[64];
    std::snprintf(build, sizeof build, "Build: %s", "2026-09-12");
    paint_text(build, x, win.y + 220, kInk, 12);
}

} // namespace qor::desktop
