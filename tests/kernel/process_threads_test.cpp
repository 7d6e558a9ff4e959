#include <gtest/gtest.h>
#include <qoros/qor_process.h>
#include <set>
#include <thread>
#include <vector>

// Spawning from several threads at once (the first of them also the table's
// first use) hands out distinct pids and loses no entry.
TEST(ProcessTableThreads, ConcurrentSpawnsGetDistinctPids) {
    constexpr int kThreads = 4, kEach = 50;
    std::vector<std::vector<int>> pids(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                pids[t].push_back(qor_kernel_spawn_process("worker", t));
                qor_kernel_schedule();
            }
        });
    for (auto& thread : threads)
        thread.join();
    std::set<int> distinct;
    for (const auto& list : pids)
        distinct.insert(list.begin(), list.end());
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kThreads * kEach));
    EXPECT_EQ(distinct.count(0), 0u);
    std::vector<qor_process> all(QOR_PROCESS_CAPACITY);
    int count = 0;
    qor_kernel_list_processes(all.data(), QOR_PROCESS_CAPACITY, &count);
    EXPECT_EQ(count, kThreads * kEach);
}
