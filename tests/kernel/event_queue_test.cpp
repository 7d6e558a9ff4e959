// Event queue behaviour seen from one thread: capacity, order, timestamps,
// waiting, the disk hotkey and the key questions.
#include "host/host_keys.h"

#include <qoros/qor_event.h>
#include <qoros/qor_hooks.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

namespace {

using namespace qor::host::keys;

// The fixture's keyboard: holds exactly the keys it is told to.
std::atomic<bool> g_held[256];

bool fake_key_held(uint32_t key) {
    return key < 256 && g_held[key].load();
}

void hold_only(std::initializer_list<int> keys) {
    for (auto& held : g_held)
        held = false;
    for (int key : keys)
        g_held[key] = true;
}

qor_event key_event(int32_t tag) {
    qor_event event{};
    event.type = QOR_EVENT_KEY_DOWN;
    event.key = kKeyA;
    event.param1 = tag;
    event.timestamp = 1;
    return event;
}

// The queue lives for the whole process: every test starts it empty, with
// the fake keyboard holding nothing.
class EventQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        hold_only({});
        qor::host::set_key_state_source(fake_key_held);
        qor_event event{};
        do {
            ASSERT_EQ(qor_event_poll(&event), QOR_OK);
        } while (event.type != QOR_EVENT_NONE);
    }
    void TearDown() override { qor::host::set_key_state_source(nullptr); }
};

TEST_F(EventQueue, Holds1023EventsDropsTheNextAndKeepsOrderAcrossTheRingWrap) {
    // Fill, take 600, refill past slot 1023, then take everything in order.
    int32_t next_tag = 0, next_expected = 0;
    qor_event out{};
    for (int round = 0; round < 2; ++round) {
        for (int i = round == 0 ? 0 : 1023 - 600; i < QOR_EVENT_QUEUE_SLOTS - 1; ++i) {
            qor_event event = key_event(next_tag++);
            ASSERT_EQ(qor_event_push(&event), QOR_OK) << "push " << i;
        }
        qor_event overflow = key_event(-7);
        EXPECT_EQ(qor_event_push(&overflow), -1);
        for (int i = 0; i < (round == 0 ? 600 : QOR_EVENT_QUEUE_SLOTS - 1); ++i) {
            ASSERT_EQ(qor_event_poll(&out), QOR_OK);
            ASSERT_EQ(out.type, QOR_EVENT_KEY_DOWN);
            ASSERT_EQ(out.param1, next_expected++);
        }
    }
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_NONE) << "the dropped events must not have been stored";
    EXPECT_EQ(qor_event_push(nullptr), -1);
    EXPECT_EQ(qor_event_poll(nullptr), -1);
    EXPECT_EQ(qor_event_wait(nullptr, 1), -1);
}

TEST_F(EventQueue, CopiesEveryFieldAndReplacesAZeroTimestampInBothCopies) {
    qor_event event{QOR_EVENT_QUIT, 0x0D, QOR_MOD_SHIFT, -1, 2, 3, 42, 0, -99};
    ASSERT_EQ(qor_event_push(&event), QOR_OK);
    EXPECT_NE(event.timestamp, 0u);
    qor_event out{};
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(std::tie(out.type, out.key, out.modifiers, out.param1, out.param2, out.param3,
                       out.window, out.timestamp, out.user_data),
              std::tie(event.type, event.key, event.modifiers, event.param1, event.param2,
                       event.param3, event.window, event.timestamp, event.user_data));

    // On an empty queue only the type changes.
    out = key_event(77);
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_NONE);
    EXPECT_EQ(out.param1, 77);
}

TEST_F(EventQueue, WaitTakesAQueuedEventSleepsForAPushAndTimesOut) {
    qor_event event = key_event(31);
    ASSERT_EQ(qor_event_push(&event), QOR_OK);
    qor_event out{};
    ASSERT_EQ(qor_event_wait(&out, 0), QOR_OK);
    EXPECT_EQ(out.param1, 31);

    std::thread producer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        qor_event late = key_event(64);
        qor_event_push(&late);
    });
    // A signal left over from an earlier push may end a wait with nothing.
    do {
        ASSERT_EQ(qor_event_wait(&out, 0), QOR_OK);
    } while (out.type == QOR_EVENT_NONE);
    producer.join();
    EXPECT_EQ(out.param1, 64);

    out = key_event(8);
    ASSERT_EQ(qor_event_wait(&out, 20), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_NONE);
}

// Ctrl+Tab+A held (other keys may be held too) is reported as a disk-mount
// event on every poll, ahead of queued events; anything less is no hotkey.
TEST_F(EventQueue, TheHeldDiskHotkeyIsReportedOnEveryPollAheadOfQueuedEvents) {
    const struct {
        std::initializer_list<int> held;
        bool hotkey;
    } rows[] = {
        {{kKeyCtrl, kKeyTab, kKeyA, kKeyShift}, true},
        {{kKeyCtrl, kKeyTab}, false},
        {{kKeyCtrl, kKeyA}, false},
        {{kKeyTab, kKeyA}, false},
        {{kKeyCtrl, kKeyTab, 0x42}, false},
    };
    for (const auto& row : rows) {
        qor_event queued = key_event(5);
        ASSERT_EQ(qor_event_push(&queued), QOR_OK);
        hold_only(row.held);
        EXPECT_EQ(qor_asm_check_disk_hotkey(), row.hotkey);
        for (int frame = 0; row.hotkey && frame < 2; ++frame) {
            qor_event out = key_event(99);
            ASSERT_EQ(qor_event_poll(&out), QOR_OK);
            EXPECT_EQ(out.type, QOR_EVENT_DISK_MOUNT);
            EXPECT_EQ(out.key, kKeyA);
            EXPECT_EQ(out.modifiers, QOR_MOD_CTRL | QOR_MOD_TAB | QOR_MOD_SHIFT);
            EXPECT_EQ(out.param1, 0);
            EXPECT_NE(out.timestamp, 0u);
        }
        hold_only({});
        qor_event out{};
        ASSERT_EQ(qor_event_poll(&out), QOR_OK);
        EXPECT_EQ(out.param1, 5);
    }
}

TEST_F(EventQueue, KeyStateAnswersFromTheHostForCodes0To255Only) {
    hold_only({kKeyA, 0xFF, kKeyShift, 0x5B, 0x12});
    EXPECT_TRUE(qor_event_key_is_down(kKeyA));
    EXPECT_TRUE(qor_event_key_is_down(0xFF));
    EXPECT_FALSE(qor_event_key_is_down(256));
    EXPECT_FALSE(qor_event_key_is_down(-1));
    EXPECT_EQ(qor_event_get_modifiers(), QOR_MOD_SHIFT | QOR_MOD_WIN | QOR_MOD_ALT);
    hold_only({0x5C, kKeyCtrl, kKeyTab});
    EXPECT_EQ(qor_event_get_modifiers(), QOR_MOD_WIN | QOR_MOD_CTRL | QOR_MOD_TAB);

    hold_only({kKeyCtrl, kKeyTab, kKeyA});
    qor::host::set_key_state_source(nullptr); // without a source nothing is held
    EXPECT_FALSE(qor_event_key_is_down(kKeyA));
    EXPECT_EQ(qor_event_get_modifiers(), 0u);
    EXPECT_FALSE(qor_asm_check_disk_hotkey());
}

} // namespace
