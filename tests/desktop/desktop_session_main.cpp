// Test helper: one scripted desktop session through the test driver, for
// memory checkers (valgrind). Boot's state over a scratch home folder, then
// every icon and every start-menu entry opened, typing into the terminal
// and the editor, explorer clicks and wheel turns, the taskbar, windows
// minimised and closed, frames rendered in between and one PNG saved.
// Files the desktop would open are refused. Exit code 0 when it ran through.
#include <qoros/qor_event.h>
#include <qoros/qor_terminal.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_icons.h"
#include "desktop/editor.h"
#include "desktop/explorer_state.h"
#include "desktop/start_menu.h"
#include "host/host_shell.h"
#include "session/bootsys_paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace qor::desktop;

namespace {

bool refuse_document(const char*) {
    return false;
}
bool refuse_program(const char*, const char*, const char*) {
    return false;
}
const qor::host::shell_backend kNoShell{refuse_document, refuse_program};

void type_line(const char* line) {
    for (const char* c = line; *c; ++c)
        desktop_driver_character(static_cast<unsigned char>(*c));
    desktop_driver_key(0x0D);
}

void drain_events() {
    qor_event event{};
    do {
        qor_event_poll(&event);
    } while (event.type != QOR_EVENT_NONE);
}

void boot_state(const std::filesystem::path& home) {
    std::snprintf(g_bootsys_dir, sizeof g_bootsys_dir, "%s", home.parent_path().string().c_str());
    std::snprintf(g_homet_dir, sizeof g_homet_dir, "%s", home.string().c_str());
    g_files = explorer_state{};
    std::snprintf(g_files.path, sizeof g_files.path, "%s", home.string().c_str());
    g_files.selected = -1;
    terminal_init(&g_term, g_homet_dir);
    g_term_init = true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qor_desktop_session <scratch folder>\n", stderr);
        return 2;
    }
    const std::filesystem::path home = std::filesystem::absolute(argv[1]) / "bootsys" / "homet";
    std::filesystem::create_directories(home / "Documents" / "deep");
    std::ofstream(home / "notes.txt") << "notes\n";
    qor::host::set_shell_backend(&kNoShell);
    if (!desktop_driver_start()) return 1;
    boot_state(home);

    for (const desktop_icon& icon : g_icons) {
        desktop_driver_click(icon.x + icon.w / 2, icon.y + icon.h / 2);
        desktop_driver_render();
    }
    for (int entry = 0; entry < kStartMenuEntryCount; ++entry) {
        desktop_driver_click(40, 585); // start button
        desktop_driver_move(100, 390 + entry * 20);
        desktop_driver_click(100, 390 + entry * 20);
        desktop_driver_render();
    }
    // The terminal, then the editor, get typing; the explorer gets clicks.
    for (int slot = 0; slot < kAppWindowSlots; ++slot) {
        const app_window& win = g_app_wins[slot];
        if (!win.open) continue;
        desktop_driver_click(win.x + win.w / 2, win.y + 8); // title bar: activate
        if (win.kind == WIN_TERMINAL) {
            for (const char* line : {"help", "ls", "cd Documents", "pwd", "cd ..", "ver", "date",
                                     "whoami", "echo done", "nosuchcommand", "clear"})
                type_line(line);
            desktop_driver_key(0x26); // history
        } else if (win.kind == WIN_CODE_EDITOR) {
            type_line("int x = 1;");
            for (uint32_t key : {0x25u, 0x26u, 0x27u, 0x28u, 0x24u, 0x23u, 0x08u, 0x2Eu})
                desktop_driver_key(key);
        } else if (win.kind == WIN_FILES || win.kind == WIN_HOMET) {
            for (int row = 0; row < 6; ++row)
                desktop_driver_click(win.x + win.w / 2, win.y + 60 + row * 18);
            desktop_driver_wheel(win.x + win.w / 2, win.y + win.h / 2, -3);
            desktop_driver_wheel(win.x + win.w / 2, win.y + win.h / 2, 2);
        }
        desktop_driver_render();
        drain_events();
    }
    desktop_driver_click(300, 585); // taskbar buttons
    desktop_driver_render();
    const int saved = desktop_driver_save_png((home / "session.png").string().c_str());
    // Escape closes the active window each time (the editor keeps it), then
    // every remaining window goes by its close box.
    for (int i = 0; i < 12; ++i)
        desktop_driver_key(0x1B);
    for (int slot = 0; slot < kAppWindowSlots; ++slot)
        if (g_app_wins[slot].open) close_window(slot);
    desktop_driver_render();
    drain_events();
    desktop_driver_stop();
    return saved == 0 ? 0 : 1;
}
