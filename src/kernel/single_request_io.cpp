#include "kernel/single_request_io.h"

#include "host/host_fs.h"

namespace qor::kernel {

io_outcome read_once(const char* path, void* buffer, size_t size, uint64_t* transferred) {
    *transferred = 0;
    const host::file_handle file = host::open_file(path, host::open_mode::read);
    if (file == host::kInvalidFile) return io_outcome::open_failed;
    const int64_t got = host::read_file(file, buffer, size);
    host::close_file(file);
    if (got < 0) return io_outcome::request_failed;
    *transferred = static_cast<uint64_t>(got);
    return io_outcome::done;
}

io_outcome write_once(const char* path, const void* data, size_t size, uint64_t* transferred) {
    *transferred = 0;
    const host::file_handle file = host::open_file(path, host::open_mode::write_truncate);
    if (file == host::kInvalidFile) return io_outcome::open_failed;
    const bool written = host::write_file(file, data, size);
    // A failed close may mean the data never reached the disk.
    const bool closed = host::close_file(file);
    if (!written || !closed) return io_outcome::request_failed;
    *transferred = size;
    return io_outcome::done;
}

} // namespace qor::kernel
