// The host's own system folders: the places an application must not change.
#pragma once

#include <span>

namespace qor::host {

// The folders the security layer protects from its start, most specific
// first, as absolute paths in the host's own spelling.
std::span<const char* const> protected_system_folders();

} // namespace qor::host
