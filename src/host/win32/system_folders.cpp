// Windows system folders: the system, installed programs and their data.
#include "host/host_system_folders.h"

namespace qor::host {

namespace {

constexpr const char* kSystemFolders[] = {"C:\\Windows\\System32", "C:\\Windows",
                                          "C:\\Program Files", "C:\\Program Files (x86)",
                                          "C:\\ProgramData"};

} // namespace

std::span<const char* const> protected_system_folders() {
    return kSystemFolders;
}

} // namespace qor::host
