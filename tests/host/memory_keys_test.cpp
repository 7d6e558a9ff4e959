#include "host/host_keys.h"
#include "host/host_memory.h"

#include <gtest/gtest.h>

TEST(HostMemory, ReportsPlausibleFiguresAndComesBackAfterAReplacement) {
    qor::host::memory_status status;
    EXPECT_FALSE(qor::host::query_memory(nullptr));
    qor::host::set_memory_query([](qor::host::memory_status*) { return false; });
    EXPECT_FALSE(qor::host::query_memory(&status));
    qor::host::set_memory_query(nullptr);
    ASSERT_TRUE(qor::host::query_memory(&status));
    EXPECT_GT(status.total_physical, 16ull * 1024 * 1024);
    EXPECT_LE(status.available_physical, status.total_physical);
    EXPECT_LE(status.load_percent, 100u);
}

TEST(HostKeys, NothingIsHeldWithoutAWindow) {
    for (uint32_t key : {0x11u, 0x09u, 0x41u, 0x1Bu})
        EXPECT_FALSE(qor::host::key_held(key));
    qor::host::set_key_state_source([](uint32_t key) { return key == 0x41; });
    EXPECT_TRUE(qor::host::key_held(0x41));
    qor::host::set_key_state_source(nullptr);
    EXPECT_FALSE(qor::host::key_held(0x41));
}
