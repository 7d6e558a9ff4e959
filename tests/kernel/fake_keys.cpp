#include "fake_keys.h"

#include "host/host_keys.h"

#include <atomic>

namespace qor::test {

namespace {

std::atomic<bool> g_held[256];

bool fake_key_held(uint32_t virtual_key) {
    return virtual_key < 256 && g_held[virtual_key].load();
}

} // namespace

fake_keys::fake_keys() {
    release_all();
    host::set_key_state_source(fake_key_held);
}

fake_keys::~fake_keys() {
    host::set_key_state_source(nullptr);
    release_all();
}

void fake_keys::hold(std::initializer_list<int> virtual_keys) {
    for (int key : virtual_keys)
        g_held[key].store(true);
}

void fake_keys::release_all() {
    for (auto& held : g_held)
        held.store(false);
}

} // namespace qor::test
