// The desktop driven without a window, with the terminal, the explorer and
// the editor in their boot state over a scratch home folder, and file opens
// recorded instead of started.
#pragma once

#include "desktop/desktop_fixture.h"
#include "desktop/desktop_icons.h"
#include "desktop/editor.h"
#include "explorer_fixture.h"

#include <qoros/qor_terminal.h>

namespace qor::test {

constexpr uint32_t kVkEscape = 0x1B;

inline int icon_center_y(int icon_id) {
    for (const desktop_icon& icon : g_icons)
        if (icon.id == icon_id) return icon.y + icon.h / 2;
    return -1;
}
constexpr int kIconX = 44;
constexpr int kIconFiles = 1, kIconTerm = 2, kIconCode = 4, kIconHomet = 6;

inline void click_icon(int icon_id) {
    desktop_driver_click(kIconX, icon_center_y(icon_id));
}

inline void type_keys(const std::string& text) {
    for (char c : text)
        desktop_driver_character(static_cast<unsigned char>(c));
}

// What boot sets up: the explorer at home, the terminal in home, the editor
// not yet loaded.
class AppsDesktopTest : public DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        ASSERT_TRUE(host::current_folder(&process_folder_before));
        bootsys = fresh_folder("bootsys");
        home = bootsys / "homet";
        std::filesystem::create_directory(home);
        set_home(home.string());
        terminal_init(&g_term, g_homet_dir);
        g_term_init = true;
        g_code_init = false;
        open_requests().clear();
        host::set_shell_backend(&kRecordingShell);
    }

    void TearDown() override {
        host::set_shell_backend(nullptr);
        files_set_folder_lister(nullptr);
        g_term_init = false;
        host::change_folder(process_folder_before.c_str());
        DesktopTest::TearDown();
    }

    static void set_home(const std::string& path) {
        std::snprintf(g_bootsys_dir, sizeof g_bootsys_dir, "%s",
                      std::filesystem::path(path).parent_path().string().c_str());
        std::snprintf(g_homet_dir, sizeof g_homet_dir, "%s", path.c_str());
        g_files = explorer_state{};
        std::snprintf(g_files.path, sizeof g_files.path, "%s", path.c_str());
        g_files.selected = -1;
    }

    std::string process_folder_before;
    std::filesystem::path bootsys, home;
};

} // namespace qor::test
