// The window registry: creation, the active window, bounds and contexts.
#include "window/window_probe.h"
#include "window_fixture.h"

#include <qoros/qor_system.h>

#include <string>

using qor::test::list_windows;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000;

class Windows : public qor::test::WindowRegistry {
protected:
    static qor::window::context_probe probe(int id, int x = 0, int y = 0) {
        qor::window::context_probe out{};
        EXPECT_TRUE(qor::window::probe_context(id, x, y, &out));
        return out;
    }
};

TEST_F(Windows, FirstWindowIsActiveAndVisibleLaterOnesStartHidden) {
    EXPECT_EQ(qor_window_get_active(), 0);
    const int first = create("first");
    const int second = create("second");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, first);
    EXPECT_EQ(qor_window_get_active(), first);

    const auto windows = list_windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_STREQ(windows[0].title, "first");
    EXPECT_EQ(windows[0].visible, 1);
    EXPECT_EQ(windows[1].visible, 0);
    EXPECT_EQ(windows[0].bounds.x, 5);
    EXPECT_EQ(windows[0].bounds.w, 40);
    EXPECT_EQ(windows[0].user1, 1);
    EXPECT_EQ(windows[0].user2, 0);
    const qor_color black = windows[0].bg_color;
    EXPECT_EQ(black.a, 255);
    EXPECT_EQ(black.r | black.g | black.b, 0);

    const auto pixels = probe(first, 39, 29);
    EXPECT_EQ(pixels.width, 40);
    EXPECT_EQ(pixels.height, 30);
    EXPECT_EQ(pixels.pixel, kOpaqueBlack);
}

TEST_F(Windows, TitlesAreCopiedAndDefaulted) {
    char title[] = "mutable";
    const int id = create(title);
    title[0] = 'X';
    const int unnamed = create(nullptr);
    auto windows = list_windows();
    EXPECT_STREQ(windows[0].title, "mutable");
    EXPECT_STREQ(windows[1].title, "QorOS Window");

    EXPECT_EQ(qor_window_set_title(id, "renamed"), QOR_OK);
    EXPECT_EQ(qor_window_set_title(id, nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_window_set_title(9999, nullptr), QOR_ERR_INVALID_ARG) << "null is tested first";
    EXPECT_EQ(qor_window_set_title(9999, "x"), QOR_ERR_NOT_FOUND);
    windows = list_windows();
    EXPECT_STREQ(windows[0].title, "renamed");
    EXPECT_EQ(unnamed, id + 1);
}

TEST_F(Windows, NonPositiveSizesAreRefusedWithoutTakingASlot) {
    const qor_rect zero_width{0, 0, 0, 10};
    const qor_rect negative_height{0, 0, 10, -1};
    EXPECT_EQ(qor_window_create("w", &zero_width, 0, 0), 0);
    EXPECT_EQ(qor_window_create("h", &negative_height, 0, 0), 0);
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
}

TEST_F(Windows, NewSizeReplacesTheContextSamePositionOnlyKeepsIt) {
    const int id = create("ctx", 40, 30);
    const int contexts = qor_graphics_get_context_count();
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

TEST_F(Windows, TranslucentBackgroundBlendsOverThePixels) {
    const int id = create("blend");
    ASSERT_EQ(qor_window_set_bg_color(id, qor_color{0, 0, 255, 128}), QOR_OK);
    EXPECT_EQ(probe(id).pixel, 0xFF800000u);
    EXPECT_EQ(list_windows()[0].bg_color.a, 128);
}

TEST_F(Windows, ListStopsAtCapacity) {
    const int first = create("1");
    create("2");
    create("3");
    const auto one = list_windows(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].id, first);
    EXPECT_TRUE(list_windows(0).empty());
    int count = 0;
    EXPECT_EQ(qor_window_list(nullptr, 1, &count), QOR_ERR_INVALID_ARG);
    qor_window_info info;
    EXPECT_EQ(qor_window_list(&info, 1, nullptr), QOR_ERR_INVALID_ARG);
}

TEST_F(Windows, UnknownIdsAndNullOutputs) {
    const int id = create("known");
    const qor_rect bounds{0, 0, 1, 1};
    qor_rect out{};
    EXPECT_EQ(qor_window_destroy(id + 100), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_show(id + 100), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_hide(id + 100), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_set_bounds(id + 100, &bounds), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_get_bounds(id + 100, &out), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_set_bg_color(id + 100, qor_color{}), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_window_get_bounds(id, nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_window_set_bounds(id, nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_window_destroy(id), QOR_OK);
    EXPECT_EQ(qor_window_destroy(id), QOR_ERR_NOT_FOUND) << "destroyed twice";
}

TEST_F(Windows, SystemInformationCountsRegisteredWindows) {
    qor_system_info info{};
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_EQ(info.window_count, 0u);
    const int a = create("a");
    create("b");
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_EQ(info.window_count, 2u);
    qor_window_destroy(a);
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_EQ(info.window_count, 1u);
}

} // namespace
