// The temporary area: uniquely named scratch files and folders, emptied at
// boot and shutdown.
#include "boot/bounded_text.h"
#include "host/host_fs.h"
#include "host/host_time.h"

#include <qoros/qor_log.h>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kMaxAttempts = 10000;

using create_fn = qor::host::create_result (*)(const char* path);

// Tries names made of the tick count and the attempt number until one is
// new; only "already exists" leads to another attempt.
int create_unique(char* out, size_t size, const char* name_format, create_fn create) {
    if (!out || size == 0) return QOR_ERR_INVALID_ARG;
    const char* dir = qor_temp_get_dir();
    if (!*dir) return QOR_ERR_IO;
    for (uint32_t attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const auto ticks = static_cast<uint32_t>(qor::host::tick_count_ms());
        char path[QOR_PATH_MAX];
        if (!qor::format_whole(path, name_format, dir, qor::host::kPathSeparator, ticks, attempt))
            return QOR_ERR_IO;
        const auto result = create(path);
        if (result == qor::host::create_result::created) {
            qor::copy_bounded(out, size, path);
            return QOR_OK;
        }
        if (result == qor::host::create_result::failed) return QOR_ERR_IO;
    }
    return QOR_ERR_IO;
}

} // namespace

extern "C" int qor_temp_create(char* out, size_t size) {
    return create_unique(out, size, "%s%cqor_%08x_%04x.tmp", qor::host::create_new_file);
}

extern "C" int qor_temp_mkdir(char* out, size_t size) {
    return create_unique(out, size, "%s%cqor_dir_%08x_%04x", qor::host::create_folder);
}

extern "C" int qor_temp_cleanup(void) {
    const char* dir = qor_temp_get_dir();
    std::vector<qor::host::folder_entry> entries;
    if (!*dir || !qor::host::list_folder(dir, &entries)) return QOR_OK;
    int result = QOR_OK;
    for (const auto& entry : entries) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string path = std::string(dir) + qor::host::kPathSeparator + entry.name;
        // Only empty folders go; a package's extraction folder survives. A
        // link goes itself: nothing is ever removed through one.
        if (entry.info.is_folder && !entry.info.is_link)
            qor::host::remove_folder(path.c_str());
        else if (!qor::host::remove_file(path.c_str()))
            result = QOR_ERR_IO;
    }
    return result;
}
