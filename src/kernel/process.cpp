// The kernel's process table: 256 bookkeeping records with a round-robin
// running mark. No host process is involved.
#include "host/host_time.h"
#include "kernel/kernel_figures.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <qoros/qor_process.h>

namespace qor::kernel {
std::atomic<int32_t> g_process_count{0};
}

namespace {

using qor::kernel::g_process_count;

// Zero-initialised statics and a constant-initialised mutex: the table is
// ready before any thread can call in, so first use needs no set-up race.
qor_process g_proc_table[QOR_PROCESS_CAPACITY];
bool g_proc_used[QOR_PROCESS_CAPACITY];
std::mutex g_proc_lock;
int32_t g_next_pid = 1;
uint32_t g_proc_current = 0;

// Slot of the live entry with this pid, or -1. Caller holds the lock.
int find_slot(int pid) {
    for (int i = 0; i < QOR_PROCESS_CAPACITY; ++i)
        if (g_proc_used[i] && g_proc_table[i].pid == pid) return i;
    return -1;
}

int first_free_slot() {
    for (int i = 0; i < QOR_PROCESS_CAPACITY; ++i)
        if (!g_proc_used[i]) return i;
    return -1;
}

char* copy_name(const char* name) {
    if (!name || !*name) return nullptr;
    const size_t n = std::strlen(name) + 1;
    auto* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, name, n);
    return copy;
}

} // namespace

extern "C" int qor_kernel_spawn_process(const char* name, int priority) {
    std::lock_guard lock(g_proc_lock);
    const int slot = first_free_slot();
    // Pids are never reused, so once the last one is handed out the table
    // takes no more entries rather than wrapping to a negative id.
    if (slot < 0 || g_next_pid == INT32_MAX) return 0;
    const int32_t pid = g_next_pid++;
    g_proc_used[slot] = true;
    g_proc_table[slot] =
        qor_process{pid, copy_name(name), PROC_READY, qor::host::tick_count_ms(), 0, 0, priority};
    ++g_process_count;
    return pid;
}

extern "C" int qor_kernel_terminate_process(int pid) {
    std::lock_guard lock(g_proc_lock);
    const int slot = find_slot(pid);
    if (slot < 0) return QOR_ERR_NOT_FOUND;
    qor_process& entry = g_proc_table[slot];
    entry.state = PROC_TERMINATED;
    std::free(const_cast<char*>(entry.name));
    entry.name = nullptr;
    --g_process_count;
    g_proc_used[slot] = false;
    return QOR_OK;
}

extern "C" int qor_kernel_get_process(int pid, qor_process* out) {
    if (!out) return QOR_ERR_INVALID_ARG;
    std::lock_guard lock(g_proc_lock);
    const int slot = find_slot(pid);
    if (slot < 0) return QOR_ERR_NOT_FOUND;
    *out = g_proc_table[slot];
    return QOR_OK;
}

extern "C" int qor_kernel_list_processes(qor_process* out, unsigned capacity, int* out_count) {
    if (!out || !out_count) return QOR_ERR_INVALID_ARG;
    std::lock_guard lock(g_proc_lock);
    unsigned written = 0;
    for (int i = 0; i < QOR_PROCESS_CAPACITY && written < capacity; ++i)
        if (g_proc_used[i]) out[written++] = g_proc_table[i];
    *out_count = static_cast<int>(written);
    return QOR_OK;
}

extern "C" int qor_kernel_set_priority(int pid, int priority) {
    std::lock_guard lock(g_proc_lock);
    const int slot = find_slot(pid);
    if (slot < 0) return QOR_ERR_NOT_FOUND;
    g_proc_table[slot].priority = priority;
    return QOR_OK;
}

extern "C" void qor_kernel_schedule(void) {
    std::lock_guard lock(g_proc_lock);
    qor_process& current = g_proc_table[g_proc_current];
    if (g_proc_used[g_proc_current] && current.state == PROC_RUNNING) current.state = PROC_READY;
    // The slot after the running one is looked at first, the running one last.
    for (uint32_t step = 1; step <= QOR_PROCESS_CAPACITY; ++step) {
        const uint32_t slot = (g_proc_current + step) % QOR_PROCESS_CAPACITY;
        if (g_proc_used[slot] && g_proc_table[slot].state == PROC_READY) {
            g_proc_table[slot].state = PROC_RUNNING;
            g_proc_current = slot;
            return;
        }
    }
    g_proc_current = 0;
}
