// The security layer's process-wide tables. Each table (protected paths,
// watched processes, canary stack) has a lock of its own that every operation
// on it holds for its whole table work, so the layer may be used from several
// threads; a caller on one thread pays only for an uncontended lock. The
// tables are exposed for tests, which read them while no operation runs.
#pragma once

#include <qoros/qor_security.h>

#include "host/host_process.h"

#include <atomic>

namespace qor::security {

struct qor_protected_file {
    char* path = nullptr; // normalised private copy owned by the slot
    bool active = false;
};

struct qor_protected_process {
    int32_t pid = 0;
    bool active = false;
    host::process_watch handle; // owned by the slot
};

extern std::atomic<bool> g_initialized;
extern qor_protected_file g_protected_files[QOR_SECURITY_MAX_PROTECTED_FILES];
extern int32_t g_protected_file_count;
extern qor_protected_process g_protected_processes[QOR_SECURITY_MAX_PROTECTED_PROCESSES];
extern int32_t g_protected_process_count;
extern uint32_t g_canary_stack[QOR_SECURITY_CANARY_CAPACITY];
extern uint32_t g_canary_top;

// Empty every table, releasing what the slots own.
void clear_protected_files();
void clear_protected_processes();
void clear_canaries();

} // namespace qor::security
