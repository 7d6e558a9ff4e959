// Keyboard state of the host: "is this key held right now". Keys are
// Windows virtual-key codes (Ctrl 0x11, Tab 0x09, A 0x41, ...) on every host,
// so the code above this layer never sees a host's own key numbering.
#pragma once

#include <cstdint>

namespace qor::host {

// The Windows virtual-key codes the code above this layer names, in a
// namespace of their own so a user may take them all in with one line.
namespace keys {
inline constexpr uint32_t kKeyBackspace = 0x08;
inline constexpr uint32_t kKeyTab = 0x09;
inline constexpr uint32_t kKeyEnter = 0x0D;
inline constexpr uint32_t kKeyShift = 0x10;
inline constexpr uint32_t kKeyCtrl = 0x11;
inline constexpr uint32_t kKeyAlt = 0x12;
inline constexpr uint32_t kKeyEscape = 0x1B;
inline constexpr uint32_t kKeyEnd = 0x23;
inline constexpr uint32_t kKeyHome = 0x24;
inline constexpr uint32_t kKeyLeft = 0x25;
inline constexpr uint32_t kKeyUp = 0x26;
inline constexpr uint32_t kKeyRight = 0x27;
inline constexpr uint32_t kKeyDown = 0x28;
inline constexpr uint32_t kKeyDelete = 0x2E;
inline constexpr uint32_t kKeyA = 0x41;
inline constexpr uint32_t kKeyLeftWin = 0x5B;
inline constexpr uint32_t kKeyRightWin = 0x5C;
} // namespace keys

// True while the key is held. Nothing is held while no host window exists.
bool key_held(uint32_t virtual_key);

// The window backend (and tests) install the source of truth; nullptr means
// no window, so no key is held.
using key_held_fn = bool (*)(uint32_t virtual_key);
void set_key_state_source(key_held_fn source);

} // namespace qor::host
