// Windows drives: the letter mask, each root's type and its capacity.
#include "host/host_drives.h"

#include <windows.h>

#include <atomic>

namespace qor::host {

namespace {

std::atomic<drive_source> g_drive_source{nullptr};

drive_type type_of(UINT host_type) {
    switch (host_type) {
    case DRIVE_REMOVABLE:
        return drive_type::removable;
    case DRIVE_FIXED:
        return drive_type::fixed;
    case DRIVE_REMOTE:
        return drive_type::remote;
    case DRIVE_CDROM:
        return drive_type::cd_dvd;
    case DRIVE_RAMDISK:
        return drive_type::ram_disk;
    default:
        return drive_type::unknown; // undetermined, or no root there
    }
}

// Only drives that are mirrored are asked for their size: asking an empty
// CD drive costs a spin-up, and nobody uses its answer.
bool has_capacity(drive_type type) {
    return type == drive_type::fixed || type == drive_type::removable || type == drive_type::remote;
}

void query_capacity(const char* root, drive* out) {
    // A removable drive without a medium must fail quietly, not put a
    // "no disk" box in front of the user.
    DWORD previous_mode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_mode);
    ULARGE_INTEGER total{}, free{};
    if (GetDiskFreeSpaceExA(root, nullptr, &total, &free)) {
        out->total_bytes = total.QuadPart;
        out->free_bytes = free.QuadPart;
    }
    SetThreadErrorMode(previous_mode, nullptr);
}

std::vector<drive> host_drives() {
    std::vector<drive> drives;
    const DWORD mask = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(mask & (DWORD{1} << bit))) continue;
        drive entry;
        entry.letter = static_cast<char>('A' + bit);
        const char root[] = {entry.letter, ':', '\\', '\0'};
        entry.type = type_of(GetDriveTypeA(root));
        if (has_capacity(entry.type)) query_capacity(root, &entry);
        drives.push_back(entry);
    }
    return drives;
}

} // namespace

std::vector<drive> list_drives() {
    const drive_source source = g_drive_source.load(std::memory_order_acquire);
    return source ? source() : host_drives();
}

void set_drive_source(drive_source source) {
    g_drive_source.store(source, std::memory_order_release);
}

} // namespace qor::host
