// Event queue behaviour seen from one thread: capacity, order, timestamps,
// the hotkey event and the key questions.
#include "fake_keys.h"

#include <qoros/qor_event.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr int kCtrl = 0x11, kTab = 0x09, kShift = 0x10, kA = 0x41, kLeftWin = 0x5B;

qor_event key_event(int key, int32_t tag) {
    qor_event event{};
    event.type = QOR_EVENT_KEY_DOWN;
    event.key = key;
    event.param1 = tag;
    event.timestamp = 1;
    return event;
}

class EventQueue : public ::testing::Test {
  protected:
    // The queue lives for the whole process: start every test empty.
    void SetUp() override {
        qor_event event{};
        do {
            ASSERT_EQ(qor_event_poll(&event), QOR_OK);
        } while (event.type != QOR_EVENT_NONE);
    }

    qor::test::fake_keys keys;
};

TEST_F(EventQueue, HoldsAtMost1023EventsAndDropsTheNext) {
    for (int i = 0; i < QOR_EVENT_QUEUE_SLOTS - 1; ++i) {
        qor_event event = key_event(kA, i);
        ASSERT_EQ(qor_event_push(&event), QOR_OK) << "push " << i;
    }
    qor_event overflow = key_event(kA, -7);
    EXPECT_EQ(qor_event_push(&overflow), -1);

    qor_event out{};
    for (int i = 0; i < QOR_EVENT_QUEUE_SLOTS - 1; ++i) {
        ASSERT_EQ(qor_event_poll(&out), QOR_OK);
        ASSERT_EQ(out.type, QOR_EVENT_KEY_DOWN);
        ASSERT_EQ(out.param1, i);
    }
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_NONE) << "the dropped event must not have been stored";
}

TEST_F(EventQueue, KeepsPushOrderAcrossTheRingWrap) {
    // 2 x 600 pushes pass slot 1023 wherever the ring currently starts.
    int32_t next_expected = 0;
    int32_t next_tag = 0;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 600; ++i) {
            qor_event event = key_event(kA, next_tag++);
            ASSERT_EQ(qor_event_push(&event), QOR_OK);
        }
        qor_event out{};
        for (int i = 0; i < 600; ++i) {
            ASSERT_EQ(qor_event_poll(&out), QOR_OK);
            ASSERT_EQ(out.param1, next_expected++);
        }
    }
}

TEST_F(EventQueue, CarriesEveryFieldUnchanged) {
    qor_event event{QOR_EVENT_QUIT, 0x0D, QOR_MOD_SHIFT, -1, 2, 3, 42, 123456, -99};
    ASSERT_EQ(qor_event_push(&event), QOR_OK);
    qor_event out{};
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_QUIT);
    EXPECT_EQ(out.key, 0x0D);
    EXPECT_EQ(out.modifiers, QOR_MOD_SHIFT);
    EXPECT_EQ(out.param1, -1);
    EXPECT_EQ(out.param2, 2);
    EXPECT_EQ(out.param3, 3);
    EXPECT_EQ(out.window, 42);
    EXPECT_EQ(out.timestamp, 123456u);
    EXPECT_EQ(out.user_data, -99);
}

TEST_F(EventQueue, ZeroTimestampBecomesTheTickCountInBothCopies) {
    qor_event event = key_event(kA, 1);
    event.timestamp = 0;
    ASSERT_EQ(qor_event_push(&event), QOR_OK);
    EXPECT_NE(event.timestamp, 0u);

    qor_event out{};
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.timestamp, event.timestamp);
}

TEST_F(EventQueue, PollOnEmptyQueueSetsOnlyTheType) {
    qor_event out = key_event(kShift, 77);
    out.type = 99;
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_NONE);
    EXPECT_EQ(out.key, kShift);
    EXPECT_EQ(out.param1, 77);
}

TEST_F(EventQueue, NullRecordsAreRejected) {
    EXPECT_EQ(qor_event_push(nullptr), -1);
    EXPECT_EQ(qor_event_poll(nullptr), -1);
    EXPECT_EQ(qor_event_wait(nullptr, 1), -1);
}

TEST_F(EventQueue, HeldHotkeyIsReportedOnEveryPollAheadOfQueuedEvents) {
    qor_event queued = key_event(kA, 5);
    ASSERT_EQ(qor_event_push(&queued), QOR_OK);
    keys.hold({kCtrl, kTab, kA, kShift});

    for (int frame = 0; frame < 3; ++frame) {
        qor_event out = key_event(0, 99);
        ASSERT_EQ(qor_event_poll(&out), QOR_OK);
        EXPECT_EQ(out.type, QOR_EVENT_DISK_MOUNT);
        EXPECT_EQ(out.key, kA);
        EXPECT_EQ(out.modifiers, QOR_MOD_CTRL | QOR_MOD_TAB | QOR_MOD_SHIFT);
        EXPECT_EQ(out.param1, 0);
        EXPECT_EQ(out.window, 0);
        EXPECT_NE(out.timestamp, 0u);
    }

    keys.release_all();
    qor_event out{};
    ASSERT_EQ(qor_event_poll(&out), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_KEY_DOWN);
    EXPECT_EQ(out.param1, 5);
}

TEST_F(EventQueue, TwoOfTheThreeHotkeysAreNotEnough) {
    for (auto pair : {std::pair{kCtrl, kTab}, std::pair{kCtrl, kA}, std::pair{kTab, kA}}) {
        keys.release_all();
        keys.hold({pair.first, pair.second});
        qor_event out{};
        ASSERT_EQ(qor_event_poll(&out), QOR_OK);
        EXPECT_EQ(out.type, QOR_EVENT_NONE);
    }
}

TEST_F(EventQueue, WaitReturnsAQueuedEventAtOnce) {
    qor_event event = key_event(kA, 31);
    ASSERT_EQ(qor_event_push(&event), QOR_OK);
    qor_event out{};
    ASSERT_EQ(qor_event_wait(&out, 0), QOR_OK);
    EXPECT_EQ(out.param1, 31);
}

TEST_F(EventQueue, WaitWithoutLimitSleepsUntilAPushFromAnotherThread) {
    std::thread producer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        qor_event event = key_event(kA, 64);
        qor_event_push(&event);
    });
    // Leftover signals from earlier tests may end a wait with nothing; keep
    // waiting until the producer's event arrives.
    qor_event out{};
    do {
        ASSERT_EQ(qor_event_wait(&out, 0), QOR_OK);
    } while (out.type == QOR_EVENT_NONE);
    producer.join();
    EXPECT_EQ(out.param1, 64);
}

TEST_F(EventQueue, WaitWithTimeOutOnEmptyQueueReturnsNothing) {
    qor_event out = key_event(kA, 8);
    ASSERT_EQ(qor_event_wait(&out, 20), QOR_OK);
    EXPECT_EQ(out.type, QOR_EVENT_NONE);
}

TEST(KeyState, AnswersFromTheHostForCodes0To255Only) {
    qor::test::fake_keys keys;
    EXPECT_FALSE(qor_event_key_is_down(kA));
    keys.hold({kA, 0xFF});
    EXPECT_TRUE(qor_event_key_is_down(kA));
    EXPECT_TRUE(qor_event_key_is_down(0xFF));
    EXPECT_FALSE(qor_event_key_is_down(256));
    EXPECT_FALSE(qor_event_key_is_down(-1));
}

TEST(KeyState, ModifiersFollowTheKeysHeldNow) {
    qor::test::fake_keys keys;
    EXPECT_EQ(qor_event_get_modifiers(), 0u);
    keys.hold({kShift, kLeftWin, 0x12});
    EXPECT_EQ(qor_event_get_modifiers(), QOR_MOD_SHIFT | QOR_MOD_WIN | QOR_MOD_ALT);
    keys.release_all();
    keys.hold({0x5C, kCtrl});
    EXPECT_EQ(qor_event_get_modifiers(), QOR_MOD_WIN | QOR_MOD_CTRL);
}

TEST(KeyState, NothingIsHeldWithoutAKeySource) {
    EXPECT_FALSE(qor_event_key_is_down(kA));
    EXPECT_EQ(qor_event_get_modifiers(), 0u);
}

} // namespace
