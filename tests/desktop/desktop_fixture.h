// A desktop in its start state, driven without a window, with a fixed clock,
// the test glyph source and no browser package, so every test starts from
// the same frame on every machine.
#pragma once

#include <gtest/gtest.h>

#include <qoros/qor_disk.h>
#include <qoros/qor_event.h>

#include "boot/boot_paths.h"
#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_host.h"
#include "desktop/desktop_render.h"
#include "desktop/taskbar.h"
#include "support/test_glyphs.h"

namespace qor::test {

inline qor::host::local_time fixed_clock() {
    return {2026, 9, 12, 9, 41, 0, 0};
}

inline void drain_event_queue() {
    qor_event event{};
    do {
        qor_event_poll(&event);
    } while (event.type != QOR_EVENT_NONE);
}

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_driver_start());
        g_taskbar_clock = fixed_clock;
        g_firefox_qpa[0] = '\0';
        qor_disk_unmount_all(); // the M: indicator shows only where a test mounts
        drain_event_queue();
    }
    void TearDown() override {
        desktop_driver_stop();
        g_taskbar_clock = qor::host::now_local;
    }

    scoped_test_glyphs glyphs_;

    // Slot of the open window of a kind, or -1.
    static int slot_of(int32_t kind) {
        for (int i = 0; i < APP_WINDOW_SLOTS; ++i) {
            if (g_app_wins[i].open && g_app_wins[i].kind == kind) return i;
        }
        return -1;
    }
    static int open_count() {
        int count = 0;
        for (const app_window& win : g_app_wins)
            count += win.open ? 1 : 0;
        return count;
    }
};

} // namespace qor::test
