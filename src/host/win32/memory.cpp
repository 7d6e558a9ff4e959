// Memory status on Windows: GlobalMemoryStatusEx.
#include "host/native.h"

#include <windows.h>

namespace qor::host {

bool native::query_memory(memory_status* out) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status) || status.ullTotalPhys == 0) return false;
    out->total_physical = status.ullTotalPhys;
    out->available_physical = status.ullAvailPhys;
    out->load_percent = status.dwMemoryLoad > 100 ? 100 : status.dwMemoryLoad;
    return true;
}

} // namespace qor::host
