// The security layer's tables used from several threads at once: no entry is
// lost or doubled and the canary stack stays one consistent stack.
#include "host/host_fs.h"
#include "security/security_state.h"
#include "support/child_process.h"

#include <gtest/gtest.h>
#include <latch>
#include <string>
#include <thread>
#include <vector>

using namespace qor::security;

namespace {

constexpr int kThreads = 8;

// Starts `work(thread index)` on kThreads threads released together.
template <typename Work> void run_together(Work work) {
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&start, &work, t] {
            start.arrive_and_wait();
            work(t);
        });
    for (std::thread& thread : threads)
        thread.join();
}

std::string scratch_path(int index) {
    return std::string(qor::host::kPathSeparator == '/' ? "/qor-threads/" : "D:\\qor-threads\\") +
           std::to_string(index);
}

} // namespace

TEST(SecurityThreads, EightThreadsProtectingSixtyFourPathsKeepEveryOne) {
    ASSERT_EQ(qor_security_init(), QOR_OK);
    const int before = g_protected_file_count;
    constexpr int kPerThread = 8;
    run_together([](int t) {
        for (int i = 0; i < kPerThread; ++i)
            EXPECT_EQ(qor_security_protect_file(scratch_path(t * kPerThread + i).c_str()), QOR_OK);
    });
    EXPECT_EQ(g_protected_file_count, before + kThreads * kPerThread);
    for (int i = 0; i < kThreads * kPerThread; ++i)
        EXPECT_GE(find_protected_file(scratch_path(i).c_str()), 0) << i;

    run_together([](int t) {
        for (int i = 0; i < kPerThread; ++i)
            EXPECT_EQ(qor_security_unprotect_file(scratch_path(t * kPerThread + i).c_str()),
                      QOR_OK);
    });
    EXPECT_EQ(g_protected_file_count, before);
}

TEST(SecurityThreads, OneProcessWatchedFromEightThreadsTakesOneSlot) {
    ASSERT_EQ(qor_security_init(), QOR_OK);
    qor::test::background_program child = qor::test::start_background(QOR_SLEEP_PATH, {"60"});
    const int32_t pid = child.pid;
    ASSERT_GT(pid, 0);
    const int before = g_protected_process_count;
    run_together([pid](int) {
        EXPECT_EQ(qor_security_protect_process(pid), QOR_OK);
        EXPECT_EQ(qor_security_monitor_process(pid), QOR_OK);
    });
    EXPECT_EQ(g_protected_process_count, before + 1);
    qor::test::stop(&child);
    EXPECT_EQ(qor_security_monitor_process(pid), QOR_ERR_PROCESS);
    EXPECT_EQ(g_protected_process_count, before);
}

TEST(SecurityThreads, CanariesPushedAndPoppedFromEightThreadsStayIntact) {
    ASSERT_EQ(qor_security_init(), QOR_OK);
    constexpr int kPerThread = QOR_SECURITY_CANARY_CAPACITY / kThreads;
    run_together([](int) {
        for (int i = 0; i < kPerThread; ++i) {
            EXPECT_GE(qor_security_canary_push(), 1u);
            EXPECT_FALSE(qor_security_check_overflow(0x10000, 16));
        }
        for (int i = 0; i < kPerThread; ++i)
            EXPECT_TRUE(qor_security_canary_pop());
    });
    EXPECT_FALSE(qor_security_canary_pop()) << "every push was popped once";
}
