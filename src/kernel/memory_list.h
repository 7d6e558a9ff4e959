// The accounted blocks' list, visible to the kernel and its tests.
#pragma once

#include <cstdint>

namespace qor::kernel {

inline constexpr uint32_t kLiveBlockMagic = 0x514F524D; // "QORM"

// Sits directly in front of every user area.
struct mem_header {
    mem_header* next; // older block
    mem_header* prev; // newer block, null for the head
    uint64_t size;    // user bytes as requested
    uint32_t magic;   // kLiveBlockMagic while live, 0 once freed
    uint32_t padding;
};
static_assert(sizeof(mem_header) == 32, "the user area starts 32 bytes after the header");

// Most recently allocated live block, or null.
mem_header* mem_list_head();
// Number of live blocks.
int32_t mem_alloc_count();

} // namespace qor::kernel
