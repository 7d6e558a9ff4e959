// Host drives: the lettered drives the virtual M: drive mirrors as folders.
// On Linux the mounted file systems stand in for drive letters (see
// posix/mountinfo.h for the rules).
#pragma once

#include <cstdint>
#include <vector>

namespace qor::host {

enum class drive_type { removable, fixed, remote, cd_dvd, ram_disk, unknown };

struct drive {
    char letter = 0; // 'A'..'Z'
    drive_type type = drive_type::unknown;
    uint64_t total_bytes = 0; // 0 when the size cannot be queried
    uint64_t free_bytes = 0;
};

// Every drive of the host, in letter order, each letter at most once.
using drive_source = std::vector<drive> (*)();

// What the current source reports: the host's own drives unless a test
// installed another source.
std::vector<drive> list_drives();

// Replaces the drive source (tests); nullptr restores the host's own.
void set_drive_source(drive_source source);

} // namespace qor::host
