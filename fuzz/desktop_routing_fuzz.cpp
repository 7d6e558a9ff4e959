// The desktop's message routing under random sequences of clicks, pointer
// moves, wheel turns, keys and characters, sent through the test driver as
// the host window would send them. After every message the window table
// holds: the active index is -1 or an open slot, each kind is open at most
// once, and every open slot can be drawn. Documents and programs the desktop
// would start are refused by a stand-in shell; nothing reaches the network.
#include <qoros/qor_event.h>
#include <qoros/qor_terminal.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_host.h"
#include "desktop/editor.h"
#include "desktop/explorer_state.h"
#include "host/host_shell.h"
#include "session/bootsys_paths.h"

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstdio>

using qor::fuzz::require;

using namespace qor::desktop;

namespace {

bool refuse_document(const char*) {
    return false;
}
bool refuse_program(const char*, const char*, const char*) {
    return false;
}
const qor::host::shell_backend kNoShell{refuse_document, refuse_program};

// What boot leaves behind: a home folder, the explorer and the terminal in it.
void boot_state(const std::string& home) {
    std::snprintf(g_bootsys_dir, sizeof g_bootsys_dir, "%s",
                  std::filesystem::path(home).parent_path().c_str());
    std::snprintf(g_homet_dir, sizeof g_homet_dir, "%s", home.c_str());
    g_firefox_qpa[0] = '\0';
    g_files = explorer_state{};
    std::snprintf(g_files.path, sizeof g_files.path, "%s", home.c_str());
    g_files.selected = -1;
    terminal_init(&g_term, g_homet_dir);
    g_term_init = true;
    g_code_init = false;
}

const std::string& home_folder() {
    static const std::string home = [] {
        const auto path = qor::fuzz::work_folder() / "bootsys" / "homet";
        std::filesystem::create_directories(path / "Documents");
        std::filesystem::create_directories(path / "Music" / "Albums");
        std::FILE* file = std::fopen((path / "notes.txt").c_str(), "w");
        if (file) std::fclose(file);
        qor::host::set_shell_backend(&kNoShell);
        return path.string();
    }();
    return home;
}

void check_window_table() {
    require(g_active_win >= -1 && g_active_win < kAppWindowSlots);
    if (g_active_win >= 0) require(g_app_wins[g_active_win].open);
    bool kind_open[WIN_BROWSER + 1] = {};
    for (const app_window& win : g_app_wins) {
        if (!win.open) continue;
        require(win.kind >= WIN_FILES && win.kind <= WIN_BROWSER);
        require(!kind_open[win.kind]);
        kind_open[win.kind] = true;
    }
}

void draw_every_open_slot() {
    for (int slot = 0; slot < kAppWindowSlots; ++slot) {
        if (!g_app_wins[slot].open) continue;
        render_window_frame(slot);
        render_window_content(slot);
    }
}

// The keys the desktop and its windows act on, then a few it ignores.
constexpr uint32_t kKeys[] = {0x08, 0x0D, 0x1B, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26,
                              0x27, 0x28, 0x2E, 0x09, 0x10, 0x5B, 0x70, 0x7B, 0xFFFF};

struct reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool more() const { return at < size; }
    uint32_t byte() { return at < size ? data[at++] : 0; }
    uint32_t word() { return byte() | byte() << 8; }
};

void drain_events() {
    qor_event event{};
    do {
        qor_event_poll(&event);
    } while (event.type != QOR_EVENT_NONE);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qor::fuzz::keep_current_folder back_afterwards;
    const std::string& home = home_folder();
    require(desktop_driver_start());
    boot_state(home);
    reader in{data, size};
    while (in.more()) {
        // Coordinates reach a little beyond the framebuffer on every side.
        switch (in.byte() % 7) {
        case 0:
        case 1: {
            const int x = static_cast<int>(in.word() % 840) - 20;
            desktop_driver_click(x, static_cast<int>(in.word() % 640) - 20);
            break;
        }
        case 2:
            desktop_driver_move(static_cast<int>(in.word() % 840) - 20,
                                static_cast<int>(in.word() % 640) - 20);
            break;
        case 3:
            desktop_driver_wheel(static_cast<int>(in.word() % 840) - 20,
                                 static_cast<int>(in.word() % 640) - 20,
                                 static_cast<int8_t>(in.byte()));
            break;
        case 4:
            desktop_driver_key(kKeys[in.byte() % (sizeof kKeys / sizeof kKeys[0])]);
            break;
        case 5:
            desktop_driver_character(in.word());
            break;
        case 6:
            desktop_driver_render();
            break;
        }
        check_window_table();
        drain_events();
    }
    draw_every_open_slot();
    return 0;
}
