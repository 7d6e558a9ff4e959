// The process table and its round-robin scheduler.
#include <gtest/gtest.h>
#include <qoros/qor_process.h>
#include <qoros/qor_system.h>
#include <vector>

namespace {

std::vector<qor_process> live_entries() {
    std::vector<qor_process> all(QOR_PROCESS_CAPACITY);
    int count = 0;
    qor_kernel_list_processes(all.data(), QOR_PROCESS_CAPACITY, &count);
    all.resize(static_cast<size_t>(count));
    return all;
}

int state_of(int pid) {
    qor_process p{};
    return qor_kernel_get_process(pid, &p) == QOR_OK ? p.state : 0;
}

// Each test starts with an empty table and the running mark back at slot 0.
class ProcessTable : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& p : live_entries())
            qor_kernel_terminate_process(p.pid);
        qor_kernel_schedule();
    }
};

} // namespace

TEST_F(ProcessTable, PidsIncreaseAndAreNeverReused) {
    const int first = qor_kernel_spawn_process("init", 5);
    const int second = qor_kernel_spawn_process("shell", 0);
    EXPECT_GT(first, 0);
    EXPECT_EQ(second, first + 1);
    ASSERT_EQ(qor_kernel_terminate_process(first), QOR_OK);
    const int third = qor_kernel_spawn_process("again", 0);
    EXPECT_EQ(third, second + 1);
    const auto live = live_entries();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].pid, third) << "the freed slot 0 is taken again";
    EXPECT_STREQ(live[0].name, "again");
    EXPECT_EQ(qor_kernel_terminate_process(first), QOR_ERR_NOT_FOUND);
}

TEST_F(ProcessTable, RecordsAreFilledAndUnknownPidsAreNotFound) {
    const int pid = qor_kernel_spawn_process("", 7);
    qor_process p{};
    ASSERT_EQ(qor_kernel_get_process(pid, &p), QOR_OK);
    EXPECT_EQ(p.name, nullptr) << "an empty name is stored as none";
    EXPECT_EQ(p.state, PROC_READY);
    EXPECT_EQ(p.priority, 7);
    EXPECT_GT(p.start_time, 0u);

    EXPECT_EQ(qor_kernel_set_priority(999999, 1), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_kernel_get_process(999999, &p), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_kernel_get_process(999999, nullptr), QOR_ERR_INVALID_ARG) << "null first";
}

TEST_F(ProcessTable, AFullTableRefusesAndDoesNotAdvanceThePid) {
    std::vector<int> pids;
    for (int i = 0; i < QOR_PROCESS_CAPACITY; ++i)
        pids.push_back(qor_kernel_spawn_process("p", 0));
    EXPECT_NE(pids.back(), 0);
    EXPECT_EQ(qor_kernel_spawn_process("one too many", 0), 0);
    qor_system_info info{};
    qor_system_get_info(&info);
    EXPECT_EQ(info.process_count, static_cast<uint32_t>(QOR_PROCESS_CAPACITY));
    qor_kernel_terminate_process(pids[10]);
    EXPECT_EQ(qor_kernel_spawn_process("next", 0), pids.back() + 1);
}

TEST_F(ProcessTable, ListingStopsAtTheCapacityInSlotOrder) {
    std::vector<int> pids;
    for (int i = 0; i < 5; ++i)
        pids.push_back(qor_kernel_spawn_process("p", 0));
    qor_process out[3] = {};
    out[2].pid = -77;
    int count = -1;
    ASSERT_EQ(qor_kernel_list_processes(out, 2, &count), QOR_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(out[0].pid, pids[0]);
    EXPECT_EQ(out[1].pid, pids[1]);
    EXPECT_EQ(out[2].pid, -77);
    ASSERT_EQ(qor_kernel_list_processes(out, 0, &count), QOR_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(qor_kernel_list_processes(nullptr, 4, &count), QOR_ERR_INVALID_ARG);
}

TEST_F(ProcessTable, TwoReadyEntriesTakeTurnsStartingAfterTheCurrentSlot) {
    const int slot0 = qor_kernel_spawn_process("a", 0);
    const int slot1 = qor_kernel_spawn_process("b", 0);
    for (int pass = 0; pass < 3; ++pass) {
        qor_kernel_schedule();
        const bool slot1_turn = pass % 2 == 0;
        EXPECT_EQ(state_of(slot1), slot1_turn ? PROC_RUNNING : PROC_READY) << pass;
        EXPECT_EQ(state_of(slot0), slot1_turn ? PROC_READY : PROC_RUNNING) << pass;
    }
}

TEST_F(ProcessTable, ASingleEntryStaysRunningAndAnEmptyTableResetsTheMark) {
    const int only = qor_kernel_spawn_process("only", 0);
    for (int i = 0; i < 4; ++i) {
        qor_kernel_schedule();
        EXPECT_EQ(state_of(only), PROC_RUNNING) << i;
    }
    // With the running entry gone nothing is ready; the mark returns to slot
    // 0, so a new entry in slot 1 is the first one picked next time.
    qor_kernel_terminate_process(only);
    qor_kernel_schedule();
    const int in_slot0 = qor_kernel_spawn_process("x", 0);
    const int in_slot1 = qor_kernel_spawn_process("y", 0);
    qor_kernel_schedule();
    EXPECT_EQ(state_of(in_slot1), PROC_RUNNING);
    EXPECT_EQ(state_of(in_slot0), PROC_READY);
}
