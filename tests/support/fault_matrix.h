// The fault matrix: runs an operation once to count the host file operations
// it performs, then again once per counted operation with exactly that one
// failing, and checks each time the result code, the destination (byte for
// byte as before) and the folder (nothing left behind). With
// QOR_FAULT_MATRIX_REPORT set, one summary row per operation and fault kind
// goes to standard output.
#pragma once

#include "host/host_fault.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

namespace qor::test {

// Installs the counting hook for its lifetime.
struct scoped_fault_plan {
    scoped_fault_plan();
    ~scoped_fault_plan();
    scoped_fault_plan(const scoped_fault_plan&) = delete;
    scoped_fault_plan& operator=(const scoped_fault_plan&) = delete;
};

// Clears the counts and makes occurrence `position` (1-based) of `op` fail;
// position 0 fails nothing.
void plan_fault(host::fs_op op, int position);
// Fails each counted occurrence of each kind in `ops` in turn. `run` must
// succeed (QOR_OK) without faults; with one it must return expected_code and
// leave `destination` holding "previous content" and its folder unchanged.
// Where the count varies from run to run (network reads arrive in chunks of
// varying size) `most_positions` caps the positions tried at a number every
// run reaches.
void fail_each(const std::string& operation, const std::function<int()>& run,
               std::initializer_list<host::fs_op> ops, const std::filesystem::path& destination,
               int expected_code, int most_positions = 0);

} // namespace qor::test
