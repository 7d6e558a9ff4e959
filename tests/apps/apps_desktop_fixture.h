// The desktop driven without a window, with the terminal, the explorer and
// the editor in their boot state over a scratch home folder, and file opens
// recorded instead of started.
#pragma once

#include "desktop/desktop_fixture.h"
#include "desktop/editor.h"
#include "explorer_fixture.h"

#include <qoros/qor_terminal.h>

namespace qor::test {

using namespace qor::desktop;

constexpr uint32_t kVkEscape = 0x1B, kVkEnter = 0x0D;

// What boot sets up: the explorer at home, the terminal in home, the editor
// not yet loaded.
class AppsDesktopTest : public DesktopTest, public scratch_home {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        enter();
        terminal_init(&g_term, g_homet_dir);
        g_term_init = true;
        g_code_init = false;
    }
    void TearDown() override {
        g_term_init = false;
        leave();
        DesktopTest::TearDown();
    }

    // A click on the list row of a listed entry in the active window.
    static void click_entry_in_window(const std::string& name) {
        const app_window& win = g_app_wins[g_active_win];
        ASSERT_GE(index_of(name), 0) << name;
        desktop_driver_click(win.x + 300, win.y + 90 + 28 * index_of(name));
    }
};

} // namespace qor::test
