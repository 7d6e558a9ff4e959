#include "support/fault_matrix.h"

#include "support/scratch.h"

#include <qoros/qor_types.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace qor::test {

namespace {

struct fault_plan {
    std::map<host::fs_op, int> seen;
    host::fs_op op = host::fs_op::read;
    int fail_at = 0;
};
fault_plan g_plan;

bool planned_fault(host::fs_op op) {
    return ++g_plan.seen[op] == g_plan.fail_at && op == g_plan.op;
}

// In the order of host::fs_op.
const char* fs_op_name(host::fs_op op) {
    static const char* const kNames[] = {"open for reading fails",
                                         "open for writing fails",
                                         "read fails (EIO)",
                                         "write fails (ENOSPC/EIO)",
                                         "seek fails",
                                         "rename fails"};
    return kNames[static_cast<int>(op)];
}

void report_row(const std::string& operation, host::fs_op op, int positions, int code,
                bool intact) {
    if (!std::getenv("QOR_FAULT_MATRIX_REPORT")) return;
    std::printf("FAULT-MATRIX | %s | %s | %d positions | result %d | %s\n", operation.c_str(),
                fs_op_name(op), positions, code,
                intact ? "destination intact, no leftovers" : "DAMAGED");
}

} // namespace

scoped_fault_plan::scoped_fault_plan() {
    g_plan = {};
    host::set_fs_fault_hook(planned_fault);
}

scoped_fault_plan::~scoped_fault_plan() {
    host::set_fs_fault_hook(nullptr);
}

void plan_fault(host::fs_op op, int position) {
    g_plan = {};
    g_plan.op = op;
    g_plan.fail_at = position;
}

void fail_each(const std::string& operation, const std::function<int()>& run,
               std::initializer_list<host::fs_op> ops, const std::filesystem::path& destination,
               int expected_code, int most_positions) {
    plan_fault(host::fs_op::read, 0);
    ASSERT_EQ(run(), QOR_OK) << operation << " without faults";
    const auto counts = g_plan.seen;
    write_bytes(destination, "previous content");
    const auto listing = folder_names(destination.parent_path());
    for (host::fs_op op : ops) {
        const auto found = counts.find(op);
        ASSERT_NE(found, counts.end()) << operation << ": " << fs_op_name(op) << " never ran";
        bool all_intact = true;
        const int positions =
            most_positions > 0 && most_positions < found->second ? most_positions : found->second;
        for (int position = 1; position <= positions; ++position) {
            plan_fault(op, position);
            EXPECT_EQ(run(), expected_code)
                << operation << ": " << fs_op_name(op) << " at " << position;
            const bool intact = read_bytes(destination) == "previous content" &&
                                folder_names(destination.parent_path()) == listing;
            EXPECT_TRUE(intact) << operation << ": " << fs_op_name(op) << " at " << position;
            all_intact = all_intact && intact;
        }
        report_row(operation, op, positions, expected_code, all_intact);
    }
    plan_fault(host::fs_op::read, 0);
}

} // namespace qor::test
