// The desktop in its boot state, driven without a window: a fixed clock, the
// test glyph source, no browser package, no mounted drive, and the explorer
// and the terminal over a scratch bootsys/homet tree, with the documents the
// explorer would open recorded instead of started. Every test starts from
// the same frame on every machine.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <qoros/qor_disk.h>
#include <qoros/qor_event.h>
#include <qoros/qor_terminal.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_host.h"
#include "desktop/desktop_icons.h"
#include "desktop/desktop_render.h"
#include "desktop/editor.h"
#include "desktop/explorer.h"
#include "desktop/taskbar.h"
#include "host/host_fs.h"
#include "host/host_keys.h"
#include "host/host_shell.h"
#include "session/bootsys_paths.h"
#include "support/scratch.h"
#include "support/test_glyphs.h"

namespace qor::test {

using namespace qor::desktop;
using namespace qor::host::keys;

constexpr int kIconFiles = 1, kIconTerm = 2, kIconCode = 4, kIconHomet = 6, kIconFirefox = 8;

inline void click_icon(int icon_id) {
    for (const desktop_icon& icon : g_icons)
        if (icon.id == icon_id) desktop_driver_click(icon.x + icon.w / 2, icon.y + icon.h / 2);
}

inline void type_keys(const std::string& text) {
    for (char c : text)
        desktop_driver_character(static_cast<unsigned char>(c));
}

// Documents the explorer asked the host to open.
inline std::vector<std::string>& open_requests() {
    static std::vector<std::string> requests;
    return requests;
}

inline const host::shell_backend kRecordingShell{
    [](const char* path) {
        open_requests().emplace_back(path);
        return true;
    },
    [](const char*, const char*, const char*) { return false; }};

inline int index_of(const std::string& name) {
    for (int i = 0; i < g_files.count; ++i)
        if (name == g_files.entries[i].name) return i;
    return -1;
}

inline const file_entry* entry_named(const std::string& name) {
    const int i = index_of(name);
    return i < 0 ? nullptr : &g_files.entries[i];
}

// Points the system's folders and a fresh explorer at `home` (below bootsys).
inline void set_home(const std::string& home) {
    std::snprintf(g_bootsys_dir, sizeof g_bootsys_dir, "%s",
                  std::filesystem::path(home).parent_path().string().c_str());
    std::snprintf(g_homet_dir, sizeof g_homet_dir, "%s", home.c_str());
    g_files = explorer_state{};
    std::snprintf(g_files.path, sizeof g_files.path, "%s", home.c_str());
    g_files.selected = -1;
}

inline std::string process_folder() {
    std::string now;
    EXPECT_TRUE(host::current_folder(&now));
    return now;
}

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_driver_start());
        g_taskbar_clock = [] { return host::local_time{2026, 9, 12, 9, 41, 0, 0}; };
        g_firefox_qpa[0] = '\0';
        qor_disk_unmount_all(); // the M: indicator shows only where a test mounts
        qor_event event{};
        do {
            qor_event_poll(&event);
        } while (event.type != QOR_EVENT_NONE);
        process_folder_before_ = process_folder();
        bootsys = fresh_folder("bootsys");
        home = bootsys / "homet";
        std::filesystem::create_directory(home);
        set_home(home.string());
        open_requests().clear();
        host::set_shell_backend(&kRecordingShell);
        terminal_init(&g_term, g_homet_dir);
        g_term_init = true;
        g_code_init = false;
    }
    void TearDown() override {
        g_term_init = false;
        host::set_shell_backend(nullptr);
        files_set_folder_lister(nullptr);
        host::change_folder(process_folder_before_.c_str());
        desktop_driver_stop();
        g_taskbar_clock = host::now_local;
    }

    // Slot of the open window of a kind, or -1.
    static int slot_of(int32_t kind) {
        for (int i = 0; i < kAppWindowSlots; ++i)
            if (g_app_wins[i].open && g_app_wins[i].kind == kind) return i;
        return -1;
    }
    static int open_count() {
        int count = 0;
        for (const app_window& win : g_app_wins)
            count += win.open ? 1 : 0;
        return count;
    }
    // A click on the list row of a listed entry in the active window.
    static void click_entry_in_window(const std::string& name) {
        const app_window& win = g_app_wins[g_active_win];
        ASSERT_GE(index_of(name), 0) << name << " is not listed";
        desktop_driver_click(win.x + 300, win.y + 90 + 28 * (index_of(name) - g_files.scroll));
    }

    scoped_test_glyphs glyphs_;
    std::string process_folder_before_;
    std::filesystem::path bootsys, home;
};

} // namespace qor::test
