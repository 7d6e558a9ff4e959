// Linux system folders: programs, their libraries and the system's settings.
#include "host/host_system_folders.h"

namespace qor::host {

namespace {

constexpr const char* kSystemFolders[] = {"/usr/bin", "/usr", "/opt", "/usr/local", "/etc"};

} // namespace

std::span<const char* const> protected_system_folders() {
    return kSystemFolders;
}

} // namespace qor::host
