// Watched processes: their life cycle, their codes and the table's capacity.
#include "security/security_state.h"
#include "support/child_process.h"
#include "support/open_descriptors.h"

#include <gtest/gtest.h>
#include <vector>

using namespace qor::security;
using qor::test::background_program;
using qor::test::open_descriptor_count;

TEST(WatchedProcesses, ReportsRunningThenEndedOnceThenNotWatched) {
    ASSERT_EQ(qor_security_init(), QOR_OK);
    background_program child = qor::test::start_background(QOR_SLEEP_PATH, {"60"});
    const int32_t pid = child.pid;
    ASSERT_GT(pid, 0);
    const int32_t before = g_protected_process_count;

    ASSERT_EQ(qor_security_protect_process(pid), QOR_OK);
    EXPECT_EQ(qor_security_protect_process(pid), QOR_OK); // already watched
    EXPECT_EQ(g_protected_process_count, before + 1);
    EXPECT_EQ(qor_security_monitor_process(pid), QOR_OK);
    EXPECT_EQ(qor_security_monitor_process(pid), QOR_OK);

    qor::test::stop(&child); // kills and collects it
    EXPECT_EQ(qor_security_monitor_process(pid), QOR_ERR_PROCESS);
    EXPECT_EQ(g_protected_process_count, before);
    EXPECT_EQ(qor_security_monitor_process(pid), QOR_ERR_NOT_FOUND);

    EXPECT_EQ(qor_security_protect_process(0), QOR_ERR_SECURITY);
    EXPECT_EQ(qor_security_monitor_process(0), QOR_ERR_SECURITY);
    // Far above any process id the host hands out.
    EXPECT_EQ(qor_security_protect_process(INT32_MAX), QOR_ERR_PROCESS);
    EXPECT_EQ(qor_security_protect_process(-5), QOR_ERR_PROCESS);
}

TEST(WatchedProcesses, TheTableHoldsOneHundredTwentyEightAndLeaksNoHandle) {
    std::vector<background_program> children;
    while (g_protected_process_count < QOR_SECURITY_MAX_PROTECTED_PROCESSES) {
        children.push_back(qor::test::start_background(QOR_SLEEP_PATH, {"60"}));
        ASSERT_GT(children.back().pid, 0);
        ASSERT_EQ(qor_security_protect_process(children.back().pid), QOR_OK);
    }
    children.push_back(qor::test::start_background(QOR_SLEEP_PATH, {"60"}));
    const size_t descriptors = open_descriptor_count();
    EXPECT_EQ(qor_security_protect_process(children.back().pid), QOR_ERR_SECURITY);
    EXPECT_EQ(open_descriptor_count(), descriptors);

    for (background_program& child : children) {
        const int32_t pid = child.pid;
        qor::test::stop(&child);
        qor_security_monitor_process(pid); // releases the slot of a watched one
    }
    EXPECT_EQ(g_protected_process_count, 0);
}
