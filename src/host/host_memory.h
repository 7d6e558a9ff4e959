// Physical memory figures of the host.
#pragma once

#include <cstdint>

namespace qor::host {

struct memory_status {
    uint64_t total_physical = 0;     // bytes
    uint64_t available_physical = 0; // bytes a new program could still get
    uint32_t load_percent = 0;       // share of physical memory in use, 0..100
};

// False when the host cannot report its memory.
bool query_memory(memory_status* out);

// Tests replace the host's answer with their own; nullptr restores the host.
using memory_query_fn = bool (*)(memory_status* out);
void set_memory_query(memory_query_fn query);

} // namespace qor::host
