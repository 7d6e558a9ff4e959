#include "host/host_keys.h"
#include "host/host_memory.h"

#include <gtest/gtest.h>

TEST(HostMemory, ReportsPlausibleFiguresOfThisMachine) {
    qor::host::memory_status status;
    EXPECT_FALSE(qor::host::query_memory(nullptr));
    ASSERT_TRUE(qor::host::query_memory(&status));
    EXPECT_GT(status.total_physical, 16ull * 1024 * 1024);
    EXPECT_LE(status.available_physical, status.total_physical);
    EXPECT_LE(status.load_percent, 100u);
}

TEST(HostKeys, NothingIsHeldWithoutAWindow) {
    for (uint32_t key : {0x11u, 0x09u, 0x41u, 0x1Bu})
        EXPECT_FALSE(qor::host::key_held(key));
}
