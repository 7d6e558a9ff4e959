// Host keyboard state: "is this key held right now?". Keys are Windows
// virtual-key codes on every host (Ctrl 0x11, Tab 0x09, A 0x41, ...).
#pragma once

namespace qor::host {

// Answers whether a key (virtual-key code 0..255) is held at this moment.
using key_state_source = bool (*)(int virtual_key);

// What the current source reports; with no source installed nothing is held.
bool key_is_down(int virtual_key);

// Installs the source of key state: the desktop window installs its keyboard
// state while it runs, tests install a fake. nullptr removes it again.
void set_key_state_source(key_state_source source);

} // namespace qor::host
