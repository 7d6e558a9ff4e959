#include "host/host_keys.h"

#include <gtest/gtest.h>
#include <qoros/qor_hooks.h>
#include <set>
#include <vector>

namespace {

std::set<uint32_t> g_held;
std::vector<uint32_t> g_asked;

bool fake_keys(uint32_t key) {
    g_asked.push_back(key);
    return g_held.count(key) > 0;
}

class DiskHotkey : public ::testing::Test {
  protected:
    void SetUp() override {
        g_held.clear();
        g_asked.clear();
        qor::host::set_key_state_source(fake_keys);
    }
    void TearDown() override { qor::host::set_key_state_source(nullptr); }
};

} // namespace

TEST_F(DiskHotkey, TrueOnEveryCallWhileAllThreeKeysAreHeld) {
    g_held = {0x11, 0x09, 0x41};
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_TRUE(qor_asm_check_disk_hotkey()) << frame;
    EXPECT_EQ((std::vector<uint32_t>(g_asked.begin(), g_asked.begin() + 3)),
              (std::vector<uint32_t>{0x11, 0x09, 0x41}));
    g_held.erase(0x09);
    EXPECT_FALSE(qor_asm_check_disk_hotkey());
}

TEST_F(DiskHotkey, AnyTwoOfTheThreeAreNotEnough) {
    const std::vector<std::set<uint32_t>> pairs = {{0x11, 0x09}, {0x11, 0x41}, {0x09, 0x41}};
    for (const auto& pair : pairs) {
        g_held = pair;
        EXPECT_FALSE(qor_asm_check_disk_hotkey());
    }
    g_held = {0x11, 0x09, 0x42}; // B instead of A
    EXPECT_FALSE(qor_asm_check_disk_hotkey());
}

TEST(Hooks, WithoutAWindowNoHotkeyAndTheStandInsAreInert) {
    EXPECT_FALSE(qor_asm_check_disk_hotkey());
    EXPECT_EQ(qor_asm_init_keyhook(), QOR_OK);
    EXPECT_EQ(qor_asm_init_keyhook(), QOR_OK);
    EXPECT_EQ(qor_asm_get_key_state(0x41), 0);
    EXPECT_EQ(qor_asm_disk_map(3), 0);
    EXPECT_EQ(qor_asm_inb(0x60), 0);
    qor_asm_outb(0x60, 1);
    qor_asm_cpu_halt();
    const uint64_t a = qor_asm_get_ticks();
    EXPECT_GE(qor_asm_get_ticks(), a);
}
