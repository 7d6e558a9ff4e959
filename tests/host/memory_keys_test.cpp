#include "host/host_keys.h"
#include "host/host_memory.h"

#include <gtest/gtest.h>

TEST(HostMemory, ReportsPlausibleFiguresOfThisMachine) {
    qor::host::memory_status status;
    ASSERT_TRUE(qor::host::query_memory(&status));
    EXPECT_GT(status.total_physical, 16ull * 1024 * 1024);
    EXPECT_LE(status.available_physical, status.total_physical);
    EXPECT_LE(status.load_percent, 100u);
    EXPECT_FALSE(qor::host::query_memory(nullptr));
}

TEST(HostMemory, AReplacementAnswersUntilTheHostIsRestored) {
    qor::host::set_memory_query([](qor::host::memory_status* out) {
        out->total_physical = 1000;
        out->load_percent = 95;
        return true;
    });
    qor::host::memory_status status;
    ASSERT_TRUE(qor::host::query_memory(&status));
    EXPECT_EQ(status.total_physical, 1000u);
    EXPECT_EQ(status.load_percent, 95u);
    qor::host::set_memory_query([](qor::host::memory_status*) { return false; });
    EXPECT_FALSE(qor::host::query_memory(&status));
    qor::host::set_memory_query(nullptr);
    ASSERT_TRUE(qor::host::query_memory(&status));
    EXPECT_GT(status.total_physical, 1000u);
}

TEST(HostKeys, NothingIsHeldWithoutAWindowAndASourceDecidesOtherwise) {
    for (uint32_t key : {0x11u, 0x09u, 0x41u, 0x1Bu})
        EXPECT_FALSE(qor::host::key_held(key));
    qor::host::set_key_state_source([](uint32_t key) { return key == 0x41; });
    EXPECT_TRUE(qor::host::key_held(0x41));
    EXPECT_FALSE(qor::host::key_held(0x11));
    qor::host::set_key_state_source(nullptr);
    EXPECT_FALSE(qor::host::key_held(0x41));
}
