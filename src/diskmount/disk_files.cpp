// Reading and writing files of the virtual drive by their resolved host path.
#include "kernel/single_request_io.h"

#include <qoros/qor_disk.h>

extern "C" int qor_disk_read_file(const char* host_path, void* buffer, uint32_t size,
                                  uint64_t* out_read) {
    if (!host_path || !buffer || !out_read) return QOR_ERR_INVALID_ARG;
    const auto outcome = qor::kernel::read_once(host_path, buffer, size, out_read);
    return outcome == qor::kernel::io_outcome::done ? QOR_OK : QOR_ERR_IO;
}

extern "C" int qor_disk_write_file(const char* host_path, const void* data, uint32_t size,
                                   uint64_t* out_written) {
    if (!host_path || !data || !out_written) return QOR_ERR_INVALID_ARG;
    const auto outcome = qor::kernel::write_once(host_path, data, size, out_written);
    return outcome == qor::kernel::io_outcome::done ? QOR_OK : QOR_ERR_IO;
}
