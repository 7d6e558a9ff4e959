// Counters the kernel services keep for the system information record.
// Each is written by its own service and read without a lock: a figure may
// be a moment out of date.
#pragma once

#include <atomic>
#include <cstdint>

namespace qor::kernel {

// Bytes in live accounted blocks (the memory accounting's running total).
extern std::atomic<uint64_t> g_used_memory_total;
// Live entries of the process table.
extern std::atomic<int32_t> g_process_count;

} // namespace qor::kernel
