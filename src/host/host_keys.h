// Keyboard state of the host: "is this key held right now". Keys are
// Windows virtual-key codes (Ctrl 0x11, Tab 0x09, A 0x41, ...) on every host,
// so the code above this layer never sees a host's own key numbering.
#pragma once

#include <cstdint>

namespace qor::host {

// True while the key is held. Nothing is held while no host window exists.
bool key_held(uint32_t virtual_key);

// The window backend (and tests) install the source of truth; nullptr means
// no window, so no key is held.
using key_held_fn = bool (*)(uint32_t virtual_key);
void set_key_state_source(key_held_fn source);

} // namespace qor::host
