// Memory status on Windows: GlobalMemoryStatusEx.
#include "host/host_memory.h"

#include <windows.h>

#include <atomic>

namespace qor::host {

namespace {

std::atomic<memory_query_fn> g_memory_query{nullptr};

bool host_query_memory(memory_status* out) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status) || status.ullTotalPhys == 0) return false;
    out->total_physical = status.ullTotalPhys;
    out->available_physical = status.ullAvailPhys;
    out->load_percent = status.dwMemoryLoad > 100 ? 100 : status.dwMemoryLoad;
    return true;
}

} // namespace

bool query_memory(memory_status* out) {
    if (!out) return false;
    const memory_query_fn replacement = g_memory_query.load();
    return replacement ? replacement(out) : host_query_memory(out);
}

void set_memory_query(memory_query_fn query) {
    g_memory_query.store(query);
}

} // namespace qor::host
