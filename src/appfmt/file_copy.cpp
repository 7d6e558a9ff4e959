#include "appfmt/file_copy.h"

#include "appfmt/crc32.h"

#include <algorithm>
#include <new>

namespace qor::appfmt {

copy_buffer::copy_buffer() : heap(new (std::nothrow) uint8_t[kCopyChunkSize]) {}

copy_status copy_file_bytes(host::file_handle in, host::staged_file* out, uint64_t count,
                            copy_buffer& buffer, uint32_t* crc) {
    while (count > 0) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(count, buffer.size()));
        const int64_t got = host::read_file(in, buffer.data(), want);
        if (got < 0) return copy_status::read_failed;
        if (got == 0) return copy_status::input_ended;
        const auto n = static_cast<size_t>(got);
        if (crc) *crc = crc32_update(*crc, buffer.data(), n);
        if (out && !host::write_staged(out, buffer.data(), n)) return copy_status::write_failed;
        count -= n;
    }
    return copy_status::complete;
}

int64_t read_fully(host::file_handle in, void* data, size_t size) {
    auto* bytes = static_cast<uint8_t*>(data);
    size_t total = 0;
    while (total < size) {
        const int64_t got = host::read_file(in, bytes + total, size - total);
        if (got < 0) return -1;
        if (got == 0) break;
        total += static_cast<size_t>(got);
    }
    return static_cast<int64_t>(total);
}

} // namespace qor::appfmt
