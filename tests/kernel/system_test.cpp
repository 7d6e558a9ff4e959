// The system clock and the system information record.
#include "host/host_memory.h"

#include <gtest/gtest.h>
#include <qoros/qor_hooks.h>
#include <qoros/qor_memory.h>
#include <qoros/qor_process.h>
#include <qoros/qor_system.h>
#include <regex>
#include <thread>

// One test walks the clock's whole life, because the clock is process-wide.
TEST(KernelClock, StoppedStartedAndStoppedAgain) {
    EXPECT_EQ(qor_system_run(), QOR_ERR_NOT_INIT);
    EXPECT_EQ(qor_system_get_uptime(), 0u);

    qor_system_info before{};
    ASSERT_EQ(qor_system_get_info(&before), QOR_OK);
    EXPECT_EQ(before.uptime_ms, 0u);
    EXPECT_STREQ(before.version, "QorOS v6.0 (Windows Native)");

    ASSERT_EQ(qor_system_init(), QOR_OK);
    EXPECT_EQ(qor_system_run(), QOR_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint64_t first = qor_system_get_uptime();
    EXPECT_GE(first, 30u);
    ASSERT_EQ(qor_system_init(), QOR_OK); // keeps the first start
    EXPECT_GE(qor_system_get_uptime(), first);

    qor_system_shutdown();
    EXPECT_EQ(qor_system_run(), QOR_ERR_NOT_INIT);
    EXPECT_EQ(qor_system_get_uptime(), 0u);
    qor_system_shutdown(); // stopping a stopped clock does nothing

    ASSERT_EQ(qor_system_init(), QOR_OK); // a restart counts from 0 again
    EXPECT_LT(qor_system_get_uptime(), first);
    qor_system_shutdown();
}

TEST(SystemInfo, ReportsTheOtherServicesFigures) {
    EXPECT_EQ(qor_system_get_info(nullptr), QOR_ERR_INVALID_ARG);
    qor_system_info before{}, info{};
    ASSERT_EQ(qor_system_get_info(&before), QOR_OK);
    EXPECT_TRUE(std::regex_match(before.build,
                                 std::regex(R"([A-Z][a-z]{2} [ 0-9]\d \d{4} \d{2}:\d{2}:\d{2})")))
        << before.build;
    EXPECT_GT(before.total_memory, 0u);

    void* block = qor_kernel_alloc(1000);
    const int pid = qor_kernel_spawn_process("figures", 0);
    ASSERT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_EQ(info.used_memory, before.used_memory + 1000);
    EXPECT_EQ(info.process_count, before.process_count + 1);
    qor_kernel_free(block);
    qor_kernel_terminate_process(pid);

    // A failed host memory query leaves the total at 0 but is no failure.
    qor::host::set_memory_query([](qor::host::memory_status*) { return false; });
    EXPECT_EQ(qor_system_get_info(&info), QOR_OK);
    EXPECT_EQ(info.total_memory, 0u);
    qor::host::set_memory_query(nullptr);
}

// The hardware entry points stay inert in a hosted system: programs written
// for the hook layer get 0 and nothing happens.
TEST(HardwareHooks, AreInertAndReturnZero) {
    qor_asm_outb(0x64, 0xFE); // would reset a bare machine
    qor_asm_cpu_halt();
    EXPECT_EQ(qor_asm_inb(0x60), 0);
    EXPECT_EQ(qor_asm_disk_map(2), 0);
    EXPECT_EQ(qor_asm_get_key_state(0x41), 0);
    EXPECT_EQ(qor_asm_init_keyhook(), QOR_OK);
}
