// Mounting and unmounting the virtual M: drive: one plain, empty folder per
// host drive. No link or copy of a drive's content is made, so a path resolved
// into the drive reaches only what was written into it. The drive's folders
// are private ones: a link or another user's folder under their names would
// send the drive's files elsewhere, so such a mount fails instead.
#include "diskmount/disk_table.h"

#include "host/host_drives.h"
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::atomic<bool> g_mounted{false};
std::string g_mount_root;
uint32_t g_disk_count = 0;
qor_disk_entry g_disk_table[QOR_DISK_MAX_DRIVES];

// A failed allocation leaves the text empty; the row still counts.
char* copy_text(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

bool is_mirrored(qor::host::drive_type type) {
    return type == qor::host::drive_type::fixed || type == qor::host::drive_type::removable ||
           type == qor::host::drive_type::remote;
}

int32_t kind_of(qor::host::drive_type type) {
    switch (type) {
    case qor::host::drive_type::removable:
        return QOR_DISK_REMOVABLE;
    case qor::host::drive_type::remote:
        return QOR_DISK_NETWORK;
    default:
        return QOR_DISK_FIXED;
    }
}

// The host's drive for a letter; the first one reported wins.
const qor::host::drive* drive_for(const std::vector<qor::host::drive>& drives, char letter) {
    for (const qor::host::drive& drive : drives) {
        if (drive.letter == letter) return &drive;
    }
    return nullptr;
}

std::string folder_of(const std::string& root, char letter) {
    return root + qor::host::kPathSeparator + "DiskDr" + letter;
}

// The mirrored drives, by letter; each folder is made (or reused from an
// earlier run) and checked before any path is resolved into it.
bool prepare_folders(const std::string& root, const std::vector<qor::host::drive>& drives,
                     std::vector<const qor::host::drive*>* mirrored) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const qor::host::drive* drive = drive_for(drives, letter);
        if (!drive || !is_mirrored(drive->type)) continue;
        if (!qor::host::use_private_folder(folder_of(root, letter).c_str())) return false;
        mirrored->push_back(drive);
    }
    return true;
}

void add_row(const qor::host::drive& drive) {
    const std::string folder = folder_of(g_mount_root, drive.letter);
    qor_disk_entry& row = g_disk_table[g_disk_count++];
    row.letter = copy_text(std::string{drive.letter, ':', '\\'});
    row.mount_path = copy_text(folder);
    row.kind = kind_of(drive.type);
    row.total_bytes = drive.total_bytes;
    row.free_bytes = drive.free_bytes;
    row.mounted = true;
}

} // namespace

namespace qor::diskmount {

bool is_mounted() {
    return g_mounted.load(std::memory_order_acquire);
}

const qor_disk_entry* find_drive(char letter) {
    for (uint32_t i = 0; i < g_disk_count; ++i) {
        const qor_disk_entry& row = g_disk_table[i];
        if (row.letter && row.letter[0] == letter) return &row;
    }
    return nullptr;
}

} // namespace qor::diskmount

extern "C" int qor_disk_mount_all(void) {
    if (qor::diskmount::is_mounted()) return QOR_OK;

    const std::string temp = qor::host::temp_folder();
    const std::string root = temp + "QorOS_MDrive";
    if (temp.empty() || root.size() >= QOR_PATH_MAX) return QOR_ERR_DISK;
    if (!qor::host::use_private_folder(root.c_str())) return QOR_ERR_DISK;
    const std::vector<qor::host::drive> drives = qor::host::list_drives();
    if (drives.empty()) return QOR_ERR_DISK;
    std::vector<const qor::host::drive*> mirrored;
    if (!prepare_folders(root, drives, &mirrored)) return QOR_ERR_DISK;

    g_mount_root = root;
    g_disk_count = 0;
    for (const qor::host::drive* drive : mirrored)
        add_row(*drive);
    g_mounted.store(true, std::memory_order_release);
    return QOR_OK;
}

extern "C" int qor_disk_unmount_all(void) {
    if (!qor::diskmount::is_mounted()) return QOR_OK;
    for (uint32_t i = 0; i < g_disk_count; ++i) {
        qor_disk_entry& row = g_disk_table[i];
        // Refused by the host while files are inside: they survive the unmount.
        if (row.mount_path) qor::host::remove_folder(row.mount_path);
        std::free(row.mount_path);
        std::free(row.letter);
        row = qor_disk_entry{};
    }
    qor::host::remove_folder(g_mount_root.c_str());
    g_mount_root.clear();
    g_disk_count = 0;
    g_mounted.store(false, std::memory_order_release);
    return QOR_OK;
}

extern "C" int qor_disk_list(qor_disk_entry* out, uint32_t capacity, uint32_t* out_count) {
    if (!out || !out_count) return QOR_ERR_INVALID_ARG;
    const uint32_t count = capacity < g_disk_count ? capacity : g_disk_count;
    for (uint32_t i = 0; i < count; ++i)
        out[i] = g_disk_table[i];
    *out_count = count;
    return QOR_OK;
}
