// The window registry: creation, the active window, bounds and contexts.
#include "window/window_probe.h"
#include "window_fixture.h"

#include <qoros/qor_system.h>

#include <string>

using qor::test::list_windows;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000;

class Windows : public ::testing::Test {
  protected:
    void SetUp() override { qor::test::destroy_all_windows(); }
    void TearDown() override { qor::test::destroy_all_windows(); }

    static int create(const char* title, int w = 40, int h = 30) {
        const qor_rect bounds{5, 6, w, h};
        return qor_window_create(title, &bounds, 1, 0);
    }
    static qor::window::context_probe probe(int id, int x = 0, int y = 0) {
        qor::window::context_probe out{};
        EXPECT_TRUE(qor::window::probe_context(id, x, y, &out));
        return out;
    }
    static uint32_t window_count() {
        qor_system_info info{};
        EXPECT_EQ(qor_system_get_info(&info), QOR_OK);
        return info.window_count;
    }
};

TEST_F(Windows, FirstWindowIsActiveAndVisibleLaterOnesStartHidden) {
    EXPECT_EQ(qor_window_get_active(), 0);
    EXPECT_EQ(window_count(), 0u);
    char title[] = "first";
    const int first = create(title);
    title[0] = 'X'; // the registry keeps its own copy
    const int second = create(nullptr);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(qor_window_get_active(), first);
    EXPECT_EQ(window_count(), 2u);

    const auto windows = list_windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_STREQ(windows[0].title, "first");
    EXPECT_STREQ(windows[1].title, "QorOS Window");
    EXPECT_EQ(windows[0].visible, 1);
    EXPECT_EQ(windows[1].visible, 0);
    const qor_color black = windows[0].bg_color;
    EXPECT_EQ(black.a, 255);
    EXPECT_EQ(black.r | black.g | black.b, 0);
    const auto pixels = probe(first, 39, 29);
    EXPECT_EQ(pixels.width, 40);
    EXPECT_EQ(pixels.height, 30);
    EXPECT_EQ(pixels.pixel, kOpaqueBlack);

    EXPECT_EQ(qor_window_set_title(first, "renamed"), QOR_OK);
    EXPECT_STREQ(list_windows()[0].title, "renamed");
    EXPECT_EQ(qor_window_set_title(9999, nullptr), QOR_ERR_INVALID_ARG) << "null is tested first";
}

TEST_F(Windows, SettingTheTitleToItsOwnListedPointerKeepsIt) {
    // A listed title pointer stays valid until the title changes, so handing it
    // back must not read the block the same call releases.
    const int id = create("keep me");
    const char* listed = list_windows()[0].title;
    EXPECT_EQ(qor_window_set_title(id, listed), QOR_OK);
    EXPECT_STREQ(list_windows()[0].title, "keep me");
}

TEST_F(Windows, NonPositiveSizesAreRefusedWithoutTakingASlot) {
    for (const qor_rect& bounds : {qor_rect{0, 0, 0, 10}, qor_rect{0, 0, 10, -1}})
        EXPECT_EQ(qor_window_create("w", &bounds, 0, 0), 0);
    EXPECT_EQ(qor_window_create("null", nullptr, 0, 0), 0);
    EXPECT_TRUE(list_windows().empty());
    EXPECT_EQ(qor_window_get_active(), 0);
}

TEST_F(Windows, HidingOrDestroyingTheActiveWindowSelectsTheFirstVisible) {
    const int a = create("a");
    const int b = create("b");
    const int c = create("c");
    ASSERT_EQ(qor_window_show(c), QOR_OK);
    ASSERT_EQ(qor_window_show(b), QOR_OK);
    EXPECT_EQ(qor_window_get_active(), a) << "showing does not steal the active window";

    ASSERT_EQ(qor_window_hide(a), QOR_OK);
    EXPECT_EQ(qor_window_get_active(), b) << "lowest slot that is visible";
    ASSERT_EQ(qor_window_hide(c), QOR_OK);
    EXPECT_EQ(qor_window_get_active(), b) << "hiding another window changes nothing";
    ASSERT_EQ(qor_window_destroy(b), QOR_OK);
    EXPECT_EQ(qor_window_get_active(), 0) << "nothing visible is left";

    ASSERT_EQ(qor_window_show(c), QOR_OK);
    EXPECT_EQ(qor_window_get_active(), c);
    EXPECT_EQ(qor_window_destroy(a), QOR_OK);
    EXPECT_EQ(qor_window_get_active(), c);
    EXPECT_EQ(window_count(), 1u);
}

TEST_F(Windows, SixtyFifthWindowIsRefusedAndFreedSlotsGetNewIds) {
    std::vector<int> ids;
    for (int i = 0; i < QOR_WINDOW_MAX; ++i) {
        ids.push_back(create(("w" + std::to_string(i)).c_str(), 2, 2));
        ASSERT_GT(ids.back(), 0) << i;
    }
    EXPECT_EQ(create("one too many", 2, 2), 0);

    ASSERT_EQ(qor_window_destroy(ids[10]), QOR_OK);
    const int reborn = create("reborn", 2, 2);
    EXPECT_GT(reborn, ids.back());
    const auto windows = list_windows();
    ASSERT_EQ(windows.size(), 64u);
    EXPECT_EQ(windows[10].id, reborn) << "the first free slot is taken";

    const auto one = list_windows(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].id, ids[0]);
    EXPECT_TRUE(list_windows(0).empty());
    int count = 0;
    EXPECT_EQ(qor_window_list(nullptr, 1, &count), QOR_ERR_INVALID_ARG);
}

TEST_F(Windows, NewSizeReplacesTheContextSamePositionOnlyKeepsIt) {
    const int id = create("ctx", 40, 30);
    const int contexts = qor_graphics_get_context_count();
    // A translucent blue blends over the black pixels.
    ASSERT_EQ(qor_window_set_bg_color(id, qor_color{0, 0, 255, 128}), QOR_OK);
    EXPECT_EQ(probe(id).pixel, 0xFF800000u);
    EXPECT_EQ(list_windows()[0].bg_color.a, 128);
    // Opaque red into the pixels, then a fully transparent background, which
    // leaves pixels alone: a kept context still shows red, a new one black.
    ASSERT_EQ(qor_window_set_bg_color(id, qor_color{0, 0, 255, 255}), QOR_OK);
    ASSERT_EQ(qor_window_set_bg_color(id, qor_color{255, 0, 0, 0}), QOR_OK);
    EXPECT_EQ(probe(id).pixel, 0xFFFF0000u);

    const qor_rect moved{100, 200, 40, 30};
    ASSERT_EQ(qor_window_set_bounds(id, &moved), QOR_OK);
    EXPECT_EQ(probe(id).pixel, 0xFFFF0000u);

    const qor_rect zero_width{1, 2, 0, 30};
    ASSERT_EQ(qor_window_set_bounds(id, &zero_width), QOR_OK);
    qor_rect stored{};
    ASSERT_EQ(qor_window_get_bounds(id, &stored), QOR_OK);
    EXPECT_EQ(stored.w, 0);
    EXPECT_EQ(stored.x, 1);
    EXPECT_EQ(probe(id).width, 40) << "a non-positive size keeps the context";

    const qor_rect bigger{0, 0, 64, 48};
    ASSERT_EQ(qor_window_set_bounds(id, &bigger), QOR_OK);
    const auto replaced = probe(id, 63, 47);
    EXPECT_EQ(replaced.width, 64);
    EXPECT_EQ(replaced.height, 48);
    EXPECT_EQ(replaced.pixel, kOpaqueBlack);
    EXPECT_EQ(qor_graphics_get_context_count(), contexts) << "the old context was released";
}

TEST_F(Windows, UnknownIdsAreNotFoundAndNullOutputsRefused) {
    const int id = create("known");
    qor_rect out{};
    EXPECT_EQ(qor_window_get_bounds(id, nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_window_destroy(id), QOR_OK);
    EXPECT_EQ(qor_window_destroy(id), QOR_ERR_NOT_FOUND) << "destroyed twice";
    EXPECT_EQ(qor_window_get_bounds(id, &out), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_set_bg_color(id, qor_color{}), QOR_ERR_NOT_FOUND);
}

} // namespace
