// Which mounted file systems become drive letters on Linux, decided from the
// text of /proc/self/mountinfo:
//  - the root file system is C:, whatever it is;
//  - every further file system backed by a block device (a device number
//    with a major other than 0, or a source under /dev/) or by the network
//    (nfs, cifs, smb3, sshfs, 9p, ...) follows as D:, E:, ... up to Z:, in
//    the order the mounts are listed;
//  - pseudo file systems (proc, sysfs, cgroup, devtmpfs, tmpfs, overlay, ...)
//    and CD/DVD file systems (iso9660, udf) get no letter;
//  - one letter per device (major:minor): the first mount listed wins, so bind
//    mounts and repeated mounts make no extra drives;
//  - a mount covered by a later mount on the same mount point gets no letter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qor::host::posix {

struct mount_record {
    unsigned major = 0;
    unsigned minor = 0;
    std::string mount_point; // with the kernel's octal escapes decoded
    std::string fs_type;
    std::string source;
};

// Parses every well-formed line; malformed lines are skipped.
std::vector<mount_record> parse_mountinfo(std::string_view text);

struct drive_mount {
    char letter;
    std::string mount_point;
    unsigned major;
    unsigned minor;
    bool network;
};

// Applies the rules above; at most 24 drives (C: to Z:).
std::vector<drive_mount> choose_drive_mounts(const std::vector<mount_record>& mounts);

} // namespace qor::host::posix
