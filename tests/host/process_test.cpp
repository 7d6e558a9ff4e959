#include "host/host_process.h"
#include "support/child_process.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using qor::host::process_state;

TEST(HostProcessWatch, ReportsRunningUntilTheProcessEndsThenEnded) {
    auto sleeper = qor::test::start_background(QOR_SLEEP_PATH, {"30"});
    ASSERT_GT(sleeper.pid, 0);
    qor::host::process_watch watch;
    ASSERT_TRUE(qor::host::open_process(sleeper.pid, &watch));
    EXPECT_EQ(qor::host::query_process(watch), process_state::running);
    qor::test::stop(&sleeper);
    EXPECT_EQ(qor::host::query_process(watch), process_state::ended);
    qor::host::close_process(&watch);
    EXPECT_FALSE(watch.open);
    EXPECT_EQ(qor::host::query_process(watch), process_state::query_failed);
}

TEST(HostProcessWatch, AnExitedButUncollectedChildCountsAsEnded) {
    auto quick = qor::test::start_background(QOR_SLEEP_PATH, {"0"});
    qor::host::process_watch watch;
    ASSERT_TRUE(qor::host::open_process(quick.pid, &watch));
    // Until it is collected the child stays a zombie with a valid id.
    for (int i = 0; i < 2000 && qor::host::query_process(watch) == process_state::running; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(qor::host::query_process(watch), process_state::ended);
    qor::host::close_process(&watch);
    qor::test::wait_for(&quick);
}

TEST(HostProcessWatch, RefusesIdsThatNameNoProcess) {
    qor::host::process_watch watch;
    // Above the kernel's largest pid (4194304), so it can never exist.
    for (int pid : {0, -5, 0x7FFFFFF0})
        EXPECT_FALSE(qor::host::open_process(pid, &watch)) << pid;
    EXPECT_FALSE(watch.open);
    qor::host::close_process(&watch); // closing a never-opened watch is harmless
}
