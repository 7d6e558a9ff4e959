// Keyboard questions of the event queue.
#pragma once

#include <cstdint>

namespace qor::kernel {

// The modifier bits of the keys held now.
uint32_t current_modifiers();

} // namespace qor::kernel
