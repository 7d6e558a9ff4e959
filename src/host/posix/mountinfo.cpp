// Parsing /proc/self/mountinfo and choosing the mounts that become drives.
#include "host/posix/mountinfo.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace qor::host::posix {

namespace {

constexpr std::string_view kNetworkTypes[] = {
    "nfs",       "nfs4",  "cifs",       "smb3", "smbfs", "ncpfs",      "9p",
    "afs",       "ceph",  "lustre",     "gfs2", "ocfs2", "fuse.sshfs", "fuse.glusterfs",
    "fuse.s3fs", "davfs", "fuse.rclone"};

// C: to Z:.
constexpr size_t kMaxDrives = 24;

constexpr std::string_view kDiscTypes[] = {"iso9660", "udf"};

template <size_t N> bool is_one_of(std::string_view value, const std::string_view (&set)[N]) {
    return std::find(std::begin(set), std::end(set), value) != std::end(set);
}

std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t end = std::min(line.find(' ', pos), line.size());
        if (end > pos) fields.push_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

// The kernel writes space, tab, newline and backslash as \ooo.
std::string decode_octal_escapes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool escape = text[i] == '\\' && i + 3 < text.size();
        if (escape && std::all_of(text.begin() + static_cast<long>(i) + 1,
                                  text.begin() + static_cast<long>(i) + 4,
                                  [](char c) { return c >= '0' && c <= '7'; })) {
            out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                     (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool parse_device(std::string_view text, unsigned* major, unsigned* minor) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    const char* end = text.data() + text.size();
    const auto first = std::from_chars(text.data(), text.data() + colon, *major);
    const auto second = std::from_chars(text.data() + colon + 1, end, *minor);
    return first.ec == std::errc{} && first.ptr == text.data() + colon &&
           second.ec == std::errc{} && second.ptr == end;
}

// Fields: id, parent, major:minor, root, mount point, options, optional
// fields..., "-", type, source, super options.
bool parse_line(std::string_view line, mount_record* out) {
    const std::vector<std::string_view> fields = split_fields(line);
    const auto separator = std::find(fields.begin(), fields.end(), "-");
    if (separator == fields.end() || separator - fields.begin() < 6 ||
        fields.end() - separator < 3) {
        return false;
    }
    if (!parse_device(fields[2], &out->major, &out->minor)) return false;
    out->mount_point = decode_octal_escapes(fields[4]);
    out->fs_type = std::string(separator[1]);
    out->source = decode_octal_escapes(separator[2]);
    return true;
}

bool is_network(const mount_record& mount) {
    return is_one_of(mount.fs_type, kNetworkTypes);
}

bool is_block_backed(const mount_record& mount) {
    return mount.major != 0 || mount.source.rfind("/dev/", 0) == 0;
}

bool may_be_drive(const mount_record& mount) {
    if (is_one_of(mount.fs_type, kDiscTypes)) return false;
    return is_network(mount) || is_block_backed(mount);
}

// A later mount on the same mount point covers this one: its files are out of
// reach and the size query would report the covering file system.
bool is_hidden(const mount_record& mount, std::vector<mount_record>::const_iterator later,
               std::vector<mount_record>::const_iterator end) {
    return std::any_of(later, end, [&mount](const mount_record& other) {
        return other.mount_point == mount.mount_point;
    });
}

} // namespace

std::vector<mount_record> parse_mountinfo(std::string_view text) {
    std::vector<mount_record> mounts;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        mount_record record;
        if (parse_line(text.substr(pos, end - pos), &record)) mounts.push_back(std::move(record));
        pos = end + 1;
    }
    return mounts;
}

std::vector<drive_mount> choose_drive_mounts(const std::vector<mount_record>& mounts) {
    std::vector<drive_mount> drives;
    const auto taken = [&drives](const mount_record& mount) {
        return std::any_of(drives.begin(), drives.end(), [&mount](const drive_mount& drive) {
            return drive.major == mount.major && drive.minor == mount.minor;
        });
    };
    const auto add = [&drives](const mount_record& mount) {
        drives.push_back({static_cast<char>('C' + drives.size()), mount.mount_point, mount.major,
                          mount.minor, is_network(mount)});
    };

    // The root that this process sees is the last mount listed on "/".
    const auto last_root =
        std::find_if(mounts.rbegin(), mounts.rend(),
                     [](const mount_record& mount) { return mount.mount_point == "/"; });
    const mount_record* root = last_root != mounts.rend() ? &*last_root : nullptr;
    if (root) add(*root);

    for (auto mount = mounts.begin(); mount != mounts.end(); ++mount) {
        if (drives.size() == kMaxDrives) break;
        if (&*mount == root || !may_be_drive(*mount) || taken(*mount)) continue;
        if (is_hidden(*mount, mount + 1, mounts.end())) continue;
        add(*mount);
    }
    return drives;
}

} // namespace qor::host::posix
