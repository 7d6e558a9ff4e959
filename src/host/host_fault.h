// Fault injection for the host file layer. Tests install a hook to make
// chosen file operations fail (a write in the middle of a copy, the final
// rename, ...) and check that callers clean up. Without a hook installed the
// check is one relaxed atomic load.
#pragma once

#include <atomic>

namespace qor::host {

enum class fs_op {
    open_read,  // opening an existing file for reading
    open_write, // creating a file, or a staged file, for writing
    read,
    write,
    seek,
    rename, // putting a staged file in place
};

// Returns true when the operation should fail as if the host had refused it.
using fs_fault_hook = bool (*)(fs_op op);

inline std::atomic<fs_fault_hook> g_fs_fault_hook{nullptr};

inline void set_fs_fault_hook(fs_fault_hook hook) {
    g_fs_fault_hook.store(hook);
}

inline bool fs_fault_injected(fs_op op) {
    const fs_fault_hook hook = g_fs_fault_hook.load(std::memory_order_relaxed);
    return hook != nullptr && hook(op);
}

} // namespace qor::host
