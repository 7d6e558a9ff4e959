// Accounted memory: a doubly linked list of live blocks, newest first, and
// running totals of blocks and bytes.
#include "kernel/kernel_figures.h"
#include "kernel/memory_list.h"

#include <cstdlib>
#include <cstring>
#include <qoros/qor_memory.h>

namespace qor::kernel {

std::atomic<uint64_t> g_used_memory_total{0};

namespace {

mem_header* g_mem_list = nullptr;
int32_t g_alloc_count = 0;
uint64_t g_used_bytes = 0;

constexpr uint64_t kHeaderSize = sizeof(mem_header);

mem_header* header_of(void* p) {
    return reinterpret_cast<mem_header*>(static_cast<char*>(p)) - 1;
}
void* user_area(mem_header* h) {
    return h + 1;
}

void publish_total() {
    g_used_memory_total.store(g_used_bytes, std::memory_order_relaxed);
}

// size + 32 must not wrap round: a wrapped sum would hand a tiny block to a
// caller that asked for nearly the whole address space.
bool block_size(uint64_t size, size_t* out) {
    if (size > SIZE_MAX - kHeaderSize) return false;
    *out = static_cast<size_t>(size + kHeaderSize);
    return true;
}

void link_as_head(mem_header* h) {
    h->prev = nullptr;
    h->next = g_mem_list;
    if (g_mem_list) g_mem_list->prev = h;
    g_mem_list = h;
}

void unlink(mem_header* h) {
    if (h->prev)
        h->prev->next = h->next;
    else
        g_mem_list = h->next;
    if (h->next) h->next->prev = h->prev;
}

} // namespace

mem_header* mem_list_head() {
    return g_mem_list;
}
int32_t mem_alloc_count() {
    return g_alloc_count;
}

} // namespace qor::kernel

using namespace qor::kernel;

extern "C" void* qor_kernel_alloc(uint64_t size) {
    size_t bytes;
    if (size == 0 || !block_size(size, &bytes)) return nullptr;
    auto* h = static_cast<mem_header*>(std::malloc(bytes));
    if (!h) return nullptr;
    h->size = size;
    h->magic = kLiveBlockMagic;
    h->padding = 0;
    link_as_head(h);
    ++g_alloc_count;
    g_used_bytes += size;
    publish_total();
    return user_area(h);
}

extern "C" void* qor_kernel_alloc_zero(uint64_t size) {
    void* p = qor_kernel_alloc(size);
    if (p) std::memset(p, 0, static_cast<size_t>(size));
    return p;
}

extern "C" void qor_kernel_free(void* p) {
    if (!p) return;
    mem_header* h = header_of(p);
    if (h->magic != kLiveBlockMagic) return;
    unlink(h);
    --g_alloc_count;
    g_used_bytes -= h->size;
    publish_total();
    h->magic = 0;
    std::free(h);
}

extern "C" void* qor_kernel_realloc(void* p, uint64_t size) {
    if (!p) return qor_kernel_alloc(size);
    if (size == 0) {
        qor_kernel_free(p);
        return nullptr;
    }
    mem_header* old_header = header_of(p);
    if (old_header->magic != kLiveBlockMagic) return nullptr;
    size_t bytes;
    if (!block_size(size, &bytes)) return nullptr;
    const uint64_t old_size = old_header->size;
    const auto old_address = reinterpret_cast<uintptr_t>(old_header);
    auto* h = static_cast<mem_header*>(std::realloc(old_header, bytes));
    if (!h) return nullptr;
    h->size = size;
    g_used_bytes = g_used_bytes - old_size + size;
    publish_total();
    // A moved block's neighbours still point at the old address.
    if (reinterpret_cast<uintptr_t>(h) != old_address) {
        if (h->prev)
            h->prev->next = h;
        else
            g_mem_list = h;
        if (h->next) h->next->prev = h;
    }
    return user_area(h);
}

extern "C" uint64_t qor_kernel_get_used_memory(void) {
    return g_used_bytes;
}
