// Renders the desktop with a few windows open, with the real font, and
// saves it as a PNG: the README's screenshot comes from this program.
// Usage: qor_desktop_screenshot <output.png>
#include <cstdio>
#include <filesystem>

#include <qoros/qor_terminal.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"

using namespace qor::desktop;

namespace {

void type_line(const char* line) {
    for (const char* c = line; *c; ++c)
        desktop_driver_character(static_cast<unsigned char>(*c));
    desktop_driver_key(0x0D);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qor_desktop_screenshot <output.png>\n", stderr);
        return 1;
    }
    // The terminal enters its folder as the process's current folder, so a
    // relative output path is made absolute first: "docs/x.png" means the
    // folder the tool was started in.
    std::error_code ignored;
    const std::filesystem::path output = std::filesystem::absolute(argv[1], ignored);
    // The terminal starts in a home folder of its own, as on a fresh system.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / "qor-shot" / "homet";
    std::filesystem::create_directories(home, ignored);
    terminal_init(&g_term, home.string().c_str());
    g_term_init = true;

    if (!desktop_driver_start()) return 1;
    desktop_driver_click(44, 254); // "Code" icon
    desktop_driver_click(44, 114); // "Term" icon
    type_line("ver");
    type_line("echo Hello from QorOS");
    desktop_driver_click(40, 585); // start menu, pointer on "About QorOS"
    desktop_driver_move(100, 549);
    desktop_driver_render();
    const int result = desktop_driver_save_png(output.string().c_str());
    desktop_driver_stop();
    std::filesystem::remove_all(home.parent_path(), ignored);
    if (result != 0) std::fprintf(stderr, "cannot write %s (%d)\n", argv[1], result);
    return result == 0 ? 0 : 1;
}
