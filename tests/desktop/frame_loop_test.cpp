// Passes of the frame loop without a window: the render of every pass, the
// quit event and the level-triggered disk-mount hotkey.
#include <string>

#include "desktop_fixture.h"
#include "golden.h"
#include "host/host_keys.h"

namespace qor::test {
namespace {

class FrameLoop : public DesktopTest {
  protected:
    void TearDown() override {
        qor::host::set_key_state_source(nullptr);
        DesktopTest::TearDown();
    }
};

TEST_F(FrameLoop, EveryPassRendersAndAQuitEventEndsTheRunAfterThePass) {
    EXPECT_TRUE(run_frame_pass());
    EXPECT_TRUE(frame_matches_golden("empty_desktop"));
    EXPECT_TRUE(g_running);
    qor_event quit{};
    quit.type = QOR_EVENT_QUIT;
    qor_event_push(&quit);
    EXPECT_TRUE(run_frame_pass());
    EXPECT_FALSE(g_running);
    EXPECT_FALSE(run_frame_pass()); // the run has ended: leave at once
}

TEST_F(FrameLoop, HeldHotkeyMountsTwicePerPassForAsLongAsItIsHeld) {
    qor::host::set_key_state_source(
        [](uint32_t key) { return key == 0x11 || key == 0x09 || key == 0x41; });
    ::testing::internal::CaptureStdout();
    run_frame_pass();
    run_frame_pass();
    qor::host::set_key_state_source([](uint32_t key) { return key == 0x11 || key == 0x09; });
    run_frame_pass();
    const std::string out = ::testing::internal::GetCapturedStdout();
    size_t count = 0;
    for (size_t at = out.find("Ctrl+Tab+A 触发!"); at != std::string::npos;
         at = out.find("Ctrl+Tab+A 触发!", at + 1))
        ++count;
    EXPECT_EQ(count, 4u);
    EXPECT_TRUE(g_running);
}

} // namespace
} // namespace qor::test
