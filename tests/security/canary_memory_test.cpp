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

} // namespace

TEST_F(CanaryStack, SixtyFourPushesThenFullThenSixtyFourIntactPops) {
    for (uint32_t i = 1; i <= QOR_SECURITY_CANARY_CAPACITY; ++i)
        EXPECT_EQ(qor_security_canary_push(), i);
    EXPECT_EQ(qor_security_canary_push(), 64u);
    EXPECT_EQ(g_canary_stack[63], 0xDEADBF2Fu);
    for (int i = 0; i < QOR_SECURITY_CANARY_CAPACITY; ++i)
        EXPECT_TRUE(qor_security_canary_pop());
    EXPECT_FALSE(qor_security_canary_pop());
    EXPECT_EQ(g_canary_top, 0u);
}

TEST_F(CanaryStack, AChangedCanaryFailsItsPop) {
    qor_security_canary_push();
    qor_security_canary_push();
    g_canary_stack[1] ^= 1;
    EXPECT_FALSE(qor_security_canary_pop());
    EXPECT_TRUE(qor_security_canary_pop());
}

TEST_F(CanaryStack, OverflowCheckOrderOfRules) {
    // Without a canary only the size and address rules apply.
    EXPECT_FALSE(qor_security_check_overflow(0x10000, 16));
    EXPECT_TRUE(qor_security_check_overflow(0xFFFF, 16));
    EXPECT_FALSE(qor_security_check_overflow(0, 0x40000001));
    EXPECT_FALSE(qor_security_check_overflow(0x10, 0));

    qor_security_canary_push();
    EXPECT_FALSE(qor_security_check_overflow(0x10000, 0x40000000));
    EXPECT_TRUE(qor_security_check_overflow(0xFFFF, 0x40000000));
    EXPECT_TRUE(qor_security_check_overflow(0x10000, 0x40000001));

    g_canary_stack[g_canary_top - 1] = 0;
    EXPECT_TRUE(qor_security_check_overflow(0x10000, 16));
    EXPECT_FALSE(qor_security_check_overflow(0, 16)); // an absent block is never suspect
}

TEST_F(CanaryStack, OnlyTheTopCanaryIsChecked) {
    qor_security_canary_push();
    qor_security_canary_push();
    g_canary_stack[0] = 0;
    EXPECT_FALSE(qor_security_check_overflow(0x10000, 16));
    EXPECT_TRUE(qor_security_canary_pop());
    EXPECT_TRUE(qor_security_check_overflow(0x10000, 16));
}

namespace {

uint32_t g_fake_load = 0;

bool fake_memory(qor::host::memory_status* out) {
    out->load_percent = g_fake_load;
    return true;
}
bool failing_memory(qor::host::memory_status*) {
    return false;
}

class MemoryAudit : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(qor_security_init(), QOR_OK); }
    void TearDown() override { qor::host::set_memory_query(nullptr); }
};

} // namespace

TEST_F(MemoryAudit, RefusesAboveNinetyPercent) {
    qor::host::set_memory_query(fake_memory);
    g_fake_load = 90;
    EXPECT_EQ(qor_security_memory_audit(), QOR_OK);
    g_fake_load = 91;
    EXPECT_EQ(qor_security_memory_audit(), QOR_ERR_NO_MEMORY);
    g_fake_load = 0;
    EXPECT_EQ(qor_security_memory_audit(), QOR_OK);
}

TEST_F(MemoryAudit, AFailedHostQueryIsReportedAsSuch) {
    qor::host::set_memory_query(failing_memory);
    EXPECT_EQ(qor_security_memory_audit(), QOR_ERR_INVALID_ARG);
}

TEST_F(MemoryAudit, AgreesWithTheRealHost) {
    qor::host::memory_status status;
    ASSERT_TRUE(qor::host::query_memory(&status));
    const int expected = status.load_percent > 90 ? QOR_ERR_NO_MEMORY : QOR_OK;
    EXPECT_EQ(qor_security_memory_audit(), expected);
}
