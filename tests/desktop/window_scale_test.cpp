// The Linux window's enlargement factor from QOROS_SCALE and GDK_SCALE.
#include "host/posix/window_scale.h"

#include <gtest/gtest.h>

TEST(WindowScale, OwnSettingFirstThenTheDesktopsThenOne) {
    const struct {
        const char *qoros, *gdk;
        int scale;
    } cases[] = {
        {nullptr, nullptr, 1},
        {"2", nullptr, 2},
        {nullptr, "3", 3},
        {"1", "2", 1},
        {"", "2", 2},
        {"0", "2", 2},
        {"9", nullptr, 1},
        {"8", nullptr, 8},
        {"2x", "3", 3},
        {"-2", nullptr, 1},
        {" 2", "abc", 1},
        {"1.5", "2", 2},
        {"99999999999999999999", nullptr, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qor::host::sdl::window_scale_from(c.qoros, c.gdk), c.scale)
            << (c.qoros ? c.qoros : "(unset)") << " / " << (c.gdk ? c.gdk : "(unset)");
    }
}
