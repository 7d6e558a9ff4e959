// Drive-letter paths from arbitrary text against two mounted drives. A
// resolved path always stays inside its drive's folder (also after "." and
// ".." are worked out), fits the path limit and uses only '/'.
#include <qoros/qor_disk.h>

#include "host/host_drives.h"

#include "fuzz_scratch.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using qor::fuzz::require;

namespace {

std::vector<qor::host::drive> two_drives() {
    return {{'C', qor::host::drive_type::fixed, 0, 0},
            {'E', qor::host::drive_type::removable, 0, 0}};
}

bool mount_once() {
    (void)qor::fuzz::work_folder(); // TMPDIR's private folder holds the mount root
    qor::host::set_drive_source(two_drives);
    return qor_disk_mount_all() == QOR_OK;
}

std::string mount_path_of(char letter) {
    qor_disk_entry rows[QOR_DISK_MAX_DRIVES];
    uint32_t count = 0;
    qor_disk_list(rows, QOR_DISK_MAX_DRIVES, &count);
    for (uint32_t i = 0; i < count; ++i)
        if (rows[i].letter[0] == letter) return rows[i].mount_path;
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool mounted = mount_once();
    require(mounted);
    const std::string path(reinterpret_cast<const char*>(data), size);
    char* resolved = nullptr;
    const int rc = qor_disk_resolve_path(path.c_str(), &resolved);
    if (rc != QOR_OK) {
        require(rc == QOR_ERR_INVALID_ARG || rc == QOR_ERR_NOT_FOUND || rc == QOR_ERR_NO_MEMORY);
        require(resolved == nullptr);
        return 0;
    }
    const std::string out = resolved;
    std::free(resolved);
    const std::string root = mount_path_of(static_cast<char>(std::toupper(path[0])));
    require(!root.empty());
    require(out.size() < QOR_PATH_MAX);
    require(out.compare(0, root.size() + 1, root + "/") == 0);
    require(out.find('\\') == std::string::npos);
    const std::string normal = std::filesystem::path(out).lexically_normal().string();
    require(normal.compare(0, root.size(), root) == 0);
    return 0;
}
