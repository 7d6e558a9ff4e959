// Kernel file I/O: three thin operations over the host file system that
// report every failure as QOR_ERR_IO.
#include "host/host_fs.h"
#include "kernel/single_request_io.h"

#include <qoros/qor_io.h>

#include <cstdlib>
#include <cstring>

namespace {

// Longest folder path the listing accepts.
constexpr size_t kMaxListPath = 256;

char* copy_name(const std::string& name) {
    char* copy = static_cast<char*>(std::malloc(name.size() + 1));
    if (copy) std::memcpy(copy, name.c_str(), name.size() + 1);
    return copy;
}

} // namespace

extern "C" void qor_free(void* block) {
    std::free(block);
}

extern "C" int qor_kernel_io_read(const char* path, void* buffer, int32_t size,
                                  uint64_t* out_read) {
    if (!path || !buffer || size < 0) return QOR_ERR_IO;
    uint64_t transferred = 0;
    const auto outcome =
        qor::kernel::read_once(path, buffer, static_cast<size_t>(size), &transferred);
    if (out_read) *out_read = transferred;
    return outcome == qor::kernel::io_outcome::done ? QOR_OK : QOR_ERR_IO;
}

extern "C" int qor_kernel_io_write(const char* path, const void* data, int32_t size,
                                   uint64_t* out_written) {
    if (!path || !data || size < 0) return QOR_ERR_IO;
    uint64_t transferred = 0;
    const auto outcome =
        qor::kernel::write_once(path, data, static_cast<size_t>(size), &transferred);
    if (out_written) *out_written = transferred;
    return outcome == qor::kernel::io_outcome::done ? QOR_OK : QOR_ERR_IO;
}

extern "C" int qor_kernel_io_list_dir(const char* path, char** names, uint32_t capacity,
                                      int32_t* out_count) {
    if (!path || !names || !out_count) return QOR_ERR_IO;
    *out_count = 0;
    if (std::strlen(path) > kMaxListPath) return QOR_ERR_IO;

    // A trailing separator needs no second one: the host takes the folder
    // path as it is, and an empty path stands for the current folder.
    std::vector<qor::host::folder_entry> entries;
    if (!qor::host::list_folder(*path ? path : ".", &entries)) return QOR_ERR_IO;

    int32_t count = 0;
    for (const qor::host::folder_entry& entry : entries) {
        if (static_cast<uint32_t>(count) >= capacity) break;
        if (entry.name == "." || entry.name == "..") continue;
        char* copy = copy_name(entry.name);
        if (!copy) break;
        names[count++] = copy;
    }
    *out_count = count;
    return QOR_OK;
}
