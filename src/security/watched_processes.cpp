// Watched processes: a fixed table of host processes whose end is reported
// once by the monitor, which then frees the slot.
#include "security/security_state.h"

#include <mutex>

namespace qor::security {

qor_protected_process g_protected_processes[QOR_SECURITY_MAX_PROTECTED_PROCESSES];
int32_t g_protected_process_count = 0;

namespace {
std::mutex g_protected_processes_lock; // guards g_protected_processes and its count
} // namespace

void clear_protected_processes() {
    std::lock_guard<std::mutex> guard(g_protected_processes_lock);
    for (qor_protected_process& slot : g_protected_processes) {
        host::close_process(&slot.handle);
        slot = qor_protected_process{};
    }
    g_protected_process_count = 0;
}

namespace {

qor_protected_process* find_watched_locked(int32_t pid) {
    for (qor_protected_process& slot : g_protected_processes) {
        if (slot.active && slot.pid == pid) return &slot;
    }
    return nullptr;
}

qor_protected_process* first_free_slot_locked() {
    for (qor_protected_process& slot : g_protected_processes) {
        if (!slot.active) return &slot;
    }
    return nullptr;
}

} // namespace

} // namespace qor::security

using namespace qor::security;

extern "C" int qor_security_protect_process(int32_t pid) {
    if (pid == 0) return QOR_ERR_SECURITY;
    // Held across opening the process, so two threads watching the same id
    // cannot both take a slot.
    std::lock_guard<std::mutex> guard(g_protected_processes_lock);
    if (find_watched_locked(pid)) return QOR_OK;

    qor::host::process_watch watch;
    if (!qor::host::open_process(pid, &watch)) return QOR_ERR_PROCESS;
    qor_protected_process* slot = first_free_slot_locked();
    if (!slot) {
        qor::host::close_process(&watch);
        return QOR_ERR_SECURITY;
    }
    slot->pid = pid;
    slot->handle = watch;
    slot->active = true;
    ++g_protected_process_count;
    return QOR_OK;
}

extern "C" int qor_security_monitor_process(int32_t pid) {
    if (pid == 0) return QOR_ERR_SECURITY;
    std::lock_guard<std::mutex> guard(g_protected_processes_lock);
    qor_protected_process* slot = find_watched_locked(pid);
    if (!slot) return QOR_ERR_NOT_FOUND;

    switch (qor::host::query_process(slot->handle)) {
    case qor::host::process_state::running:
        return QOR_OK;
    case qor::host::process_state::query_failed:
        return QOR_ERR_PROCESS; // the slot stays: a later query may succeed
    case qor::host::process_state::ended:
        break;
    }
    qor::host::close_process(&slot->handle);
    *slot = qor_protected_process{};
    --g_protected_process_count;
    return QOR_ERR_PROCESS;
}
