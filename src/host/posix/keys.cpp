// Key state is whatever the running window reports; without one, no key is held.
#include "host/host_keys.h"

#include <atomic>

namespace qor::host {

namespace {
std::atomic<key_state_source> g_key_state_source{nullptr};
} // namespace

bool key_is_down(int virtual_key) {
    const key_state_source source = g_key_state_source.load(std::memory_order_acquire);
    return source != nullptr && source(virtual_key);
}

void set_key_state_source(key_state_source source) {
    g_key_state_source.store(source, std::memory_order_release);
}

} // namespace qor::host
