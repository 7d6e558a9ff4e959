// Key state: without a host window no key can be held; the window backend
// installs its own source once it has a keyboard to read.
#include "host/host_keys.h"

#include <atomic>

namespace qor::host {

namespace {
std::atomic<key_held_fn> g_key_source{nullptr};
}

bool key_held(uint32_t virtual_key) {
    const key_held_fn source = g_key_source.load();
    return source ? source(virtual_key) : false;
}

void set_key_state_source(key_held_fn source) {
    g_key_source.store(source);
}

} // namespace qor::host
