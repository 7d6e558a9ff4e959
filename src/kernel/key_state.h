// Keyboard questions of the event queue.
#pragma once

#include <cstdint>

namespace qor::kernel {

inline constexpr int kKeyTab = 0x09;
inline constexpr int kKeyShift = 0x10;
inline constexpr int kKeyCtrl = 0x11;
inline constexpr int kKeyAlt = 0x12;
inline constexpr int kKeyA = 0x41;
inline constexpr int kKeyLeftWin = 0x5B;
inline constexpr int kKeyRightWin = 0x5C;

// The modifier bits of the keys held now.
uint32_t current_modifiers();

} // namespace qor::kernel
