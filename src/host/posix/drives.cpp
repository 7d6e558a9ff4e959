// Linux drive list: mounted file systems stand in for drive letters.
#include "host/native.h"
#include "host/posix/mountinfo.h"

#include <fstream>
#include <sstream>
#include <string>
#include <sys/statvfs.h>

namespace qor::host {

namespace {

std::string read_text_file(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// sysfs marks removable media on the whole disk; a partition's flag lives in
// its parent's folder.
bool is_removable(unsigned major, unsigned minor) {
    const std::string device =
        "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
    for (const char* flag : {"/removable", "/../removable"}) {
        std::ifstream in(device + flag);
        char value = 0;
        if (in >> value) return value == '1';
    }
    return false;
}

void query_sizes(const std::string& mount_point, drive* out) {
    struct statvfs stats {};
    if (statvfs(mount_point.c_str(), &stats) != 0) return;
    out->total_bytes = static_cast<uint64_t>(stats.f_blocks) * stats.f_frsize;
    out->free_bytes = static_cast<uint64_t>(stats.f_bfree) * stats.f_frsize;
}

} // namespace

std::vector<drive> native::list_drives() {
    const auto mounts = posix::parse_mountinfo(read_text_file("/proc/self/mountinfo"));
    std::vector<drive> drives;
    for (const posix::drive_mount& mount : posix::choose_drive_mounts(mounts)) {
        drive entry;
        entry.letter = mount.letter;
        if (mount.network) {
            entry.type = drive_type::remote;
        } else if (mount.major != 0 && is_removable(mount.major, mount.minor)) {
            entry.type = drive_type::removable;
        } else {
            entry.type = drive_type::fixed;
        }
        query_sizes(mount.mount_point, &entry);
        drives.push_back(entry);
    }
    return drives;
}

} // namespace qor::host
