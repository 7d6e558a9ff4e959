// POSIX memory status from /proc/meminfo. The load is the share of physical
// memory not available to new programs, the figure Windows calls memory load.
#include "host/native.h"

#include <cstdio>

namespace qor::host {

namespace {

// Reads "Name:   1234 kB" lines; false unless both figures were found.
bool read_meminfo(uint64_t* total_kb, uint64_t* available_kb) {
    FILE* file = std::fopen("/proc/meminfo", "re");
    if (!file) return false;
    bool have_total = false, have_available = false;
    char line[256];
    while (std::fgets(line, sizeof line, file)) {
        unsigned long long value = 0;
        if (std::sscanf(line, "MemTotal: %llu", &value) == 1) {
            *total_kb = value;
            have_total = true;
        } else if (std::sscanf(line, "MemAvailable: %llu", &value) == 1) {
            *available_kb = value;
            have_available = true;
        }
    }
    std::fclose(file);
    return have_total && have_available;
}

} // namespace

bool native::query_memory(memory_status* out) {
    uint64_t total_kb = 0, available_kb = 0;
    if (!read_meminfo(&total_kb, &available_kb) || total_kb == 0) return false;
    if (available_kb > total_kb) available_kb = total_kb;
    out->total_physical = total_kb * 1024;
    out->available_physical = available_kb * 1024;
    out->load_percent = static_cast<uint32_t>((total_kb - available_kb) * 100 / total_kb);
    return true;
}

} // namespace qor::host
