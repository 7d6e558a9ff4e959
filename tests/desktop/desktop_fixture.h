// A desktop in its start state, driven without a window, with a fixed clock,
// the test glyph source and no browser package, so every test starts from
// the same frame on every machine.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include <qoros/qor_disk.h>
#include <qoros/qor_event.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_driver.h"
#include "desktop/desktop_host.h"
#include "desktop/desktop_icons.h"
#include "desktop/desktop_render.h"
#include "desktop/taskbar.h"
#include "session/bootsys_paths.h"
#include "support/test_glyphs.h"

namespace qor::test {

using namespace qor::desktop;

inline qor::host::local_time fixed_clock() {
    return {2026, 9, 12, 9, 41, 0, 0};
}

// One expected pixel of a rendered frame.
struct pixel_row {
    int x, y;
    uint32_t argb;
    const char* what;
};

inline void expect_pixels(std::initializer_list<pixel_row> rows) {
    for (const pixel_row& row : rows) {
        EXPECT_EQ(desktop_driver_pixel(row.x, row.y), row.argb)
            << row.what << " at " << row.x << "," << row.y;
    }
}

constexpr int kIconX = 44;
constexpr int kIconFiles = 1, kIconTerm = 2, kIconQorget = 3, kIconCode = 4, kIconHomet = 6,
              kIconFirefox = 8;

inline int icon_center_y(int icon_id) {
    for (const desktop_icon& icon : g_icons)
        if (icon.id == icon_id) return icon.y + icon.h / 2;
    return -1;
}

inline void click_icon(int icon_id) {
    desktop_driver_click(kIconX, icon_center_y(icon_id));
}

inline void type_keys(const std::string& text) {
    for (char c : text)
        desktop_driver_character(static_cast<unsigned char>(c));
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
        for (int i = 0; i < kAppWindowSlots; ++i) {
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
