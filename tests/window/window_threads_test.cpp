// Threads creating, changing and destroying windows at once: ids stay unique,
// the count stays right and every context is released.
#include "window_fixture.h"

#include <qoros/qor_system.h>

#include <algorithm>
#include <thread>

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 200;

TEST(WindowRegistryThreads, ConcurrentCreateAndDestroyKeepTheTableConsistent) {
    qor::test::destroy_all_windows();
    const int contexts_before = qor_graphics_get_context_count();
    std::vector<std::vector<int>> ids(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &ids] {
            const qor_rect bounds{0, 0, 8, 8};
            for (int round = 0; round < kRounds; ++round) {
                const int id = qor_window_create("t", &bounds, t, round);
                if (id == 0) continue;
                ids[t].push_back(id);
                qor_window_show(id);
                qor_window_set_bg_color(id, qor_color{1, 2, 3, 255});
                qor_window_get_active();
                if (round % 2 == 0) qor_window_destroy(id);
            }
        });
    }
    for (auto& thread : threads) thread.join();

    std::vector<int> all;
    for (const auto& list : ids) all.insert(all.end(), list.begin(), list.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "an id was handed out twice";

    const auto remaining = qor::test::list_windows();
    qor_system_info info{};
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_EQ(info.window_count, remaining.size());
    EXPECT_NE(qor_window_get_active(), 0);

    qor::test::destroy_all_windows();
    EXPECT_EQ(qor_window_get_active(), 0);
    EXPECT_EQ(qor_graphics_get_context_count(), contexts_before);
}

} // namespace
