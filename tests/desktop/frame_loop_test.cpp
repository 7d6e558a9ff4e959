// Passes of the frame loop without a window: the quit event, the
// level-triggered disk-mount hotkey and the render of every pass.
#include <string>

#include "desktop_fixture.h"
#include "host/host_keys.h"
#include "pixel_math.h"

namespace qor::test {
namespace {

bool ctrl_tab_a_held(uint32_t key) {
    return key == 0x11 || key == 0x09 || key == 0x41;
}
bool ctrl_tab_held(uint32_t key) {
    return key == 0x11 || key == 0x09;
}

size_t count_of(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class FrameLoop : public DesktopTest {
  protected:
    void TearDown() override {
        qor::host::set_key_state_source(nullptr);
        DesktopTest::TearDown();
    }
};

TEST_F(FrameLoop, EveryPassRendersTheDesktop) {
    EXPECT_TRUE(run_frame_pass());
    EXPECT_EQ(desktop_driver_pixel(400, 10), wallpaper(10));
    EXPECT_TRUE(g_running);
}

TEST_F(FrameLoop, QuitEventEndsTheRunAfterThePass) {
    qor_event quit{};
    quit.type = QOR_EVENT_QUIT;
    qor_event_push(&quit);
    EXPECT_TRUE(run_frame_pass());
    EXPECT_FALSE(g_running);
}

TEST_F(FrameLoop, PassAfterTheRunEndedLeavesAtOnce) {
    g_running = false;
    EXPECT_FALSE(run_frame_pass());
}

TEST_F(FrameLoop, HeldHotkeyMountsTwicePerPassForAsLongAsItIsHeld) {
    qor::host::set_key_state_source(ctrl_tab_a_held);
    ::testing::internal::CaptureStdout();
    run_frame_pass();
    run_frame_pass();
    qor::host::set_key_state_source(ctrl_tab_held);
    run_frame_pass();
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(count_of(out, "Ctrl+Tab+A 触发!"), 4u);
    EXPECT_TRUE(g_running);
}

} // namespace
} // namespace qor::test
