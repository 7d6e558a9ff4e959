// The canary stack, the overflow check and the memory audit.
#include "host/host_memory.h"
#include "security/security_state.h"

#include <gtest/gtest.h>

using namespace qor::security;

namespace {

// Every canary test leaves the stack empty again.
class CanaryStack : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(g_canary_top, 0u); }
    void TearDown() override {
        while (g_canary_top > 0)
            qor_security_canary_pop();
    }
};

TEST_F(CanaryStack, SixtyFourPushesThenFullAndAChangedCanaryFailsItsPop) {
    for (uint32_t i = 1; i <= QOR_SECURITY_CANARY_CAPACITY; ++i)
        EXPECT_EQ(qor_security_canary_push(), i);
    EXPECT_EQ(qor_security_canary_push(), 64u);
    EXPECT_EQ(g_canary_stack[63], 0xDEADBF2Fu);
    g_canary_stack[62] ^= 1;
    EXPECT_TRUE(qor_security_canary_pop());
    EXPECT_FALSE(qor_security_canary_pop());
    for (int i = 0; i < QOR_SECURITY_CANARY_CAPACITY - 2; ++i)
        EXPECT_TRUE(qor_security_canary_pop());
    EXPECT_FALSE(qor_security_canary_pop()) << "empty";
    EXPECT_EQ(g_canary_top, 0u);
}

TEST_F(CanaryStack, OverflowCheckRulesAndOnlyTheTopCanaryCounts) {
    // Without a canary only the size and address rules apply.
    EXPECT_FALSE(qor_security_check_overflow(0x10000, 16));
    EXPECT_TRUE(qor_security_check_overflow(0xFFFF, 16));
    EXPECT_FALSE(qor_security_check_overflow(0, 0x40000001));
    EXPECT_FALSE(qor_security_check_overflow(0x10, 0));

    qor_security_canary_push();
    EXPECT_FALSE(qor_security_check_overflow(0x10000, 0x40000000));
    EXPECT_TRUE(qor_security_check_overflow(0xFFFF, 0x40000000));
    EXPECT_TRUE(qor_security_check_overflow(0x10000, 0x40000001));

    qor_security_canary_push();
    g_canary_stack[0] = 0;
    EXPECT_FALSE(qor_security_check_overflow(0x10000, 16)) << "only the top canary is checked";
    EXPECT_TRUE(qor_security_canary_pop());
    EXPECT_TRUE(qor_security_check_overflow(0x10000, 16));
    EXPECT_FALSE(qor_security_check_overflow(0, 16)) << "an absent block is never suspect";
}

TEST(MemoryAudit, RefusesAboveNinetyPercentAndReportsAFailedQuery) {
    ASSERT_EQ(qor_security_init(), QOR_OK);
    static uint32_t load;
    qor::host::set_memory_query([](qor::host::memory_status* out) {
        out->load_percent = load;
        return load <= 100;
    });
    for (const auto& [percent, expected] : {std::pair{90u, QOR_OK},
                                            {91u, QOR_ERR_NO_MEMORY},
                                            {0u, QOR_OK},
                                            {101u, QOR_ERR_INVALID_ARG}}) {
        load = percent;
        EXPECT_EQ(qor_security_memory_audit(), expected) << percent << "% (over 100: query fails)";
    }
    qor::host::set_memory_query(nullptr);
}

} // namespace
