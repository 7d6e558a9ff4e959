// The number of registered windows, for the system information record.
#pragma once

#include <cstdint>

namespace qor::window {

// Read without the registry lock: may be a moment out of date.
uint32_t registered_count();

} // namespace qor::window
