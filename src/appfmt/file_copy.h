// Chunked copying between host files, with an optional running CRC. The one
// place that moves package contents, so memory stays bounded by one chunk
// whatever the size of the program.
#pragma once

#include "host/host_fs.h"

#include <cstdint>
#include <memory>

namespace qor::appfmt {

// Large enough that system-call overhead vanishes beside the copying itself.
inline constexpr size_t kCopyChunkSize = size_t{1} << 20;

// A heap chunk, or a small buffer inside the record when the heap has no
// memory to give: copying then gets slower but never fails for want of memory.
struct copy_buffer {
    copy_buffer();
    copy_buffer(const copy_buffer&) = delete;
    copy_buffer& operator=(const copy_buffer&) = delete;
    uint8_t* data() { return heap ? heap.get() : fallback; }
    size_t size() const { return heap ? kCopyChunkSize : sizeof fallback; }

  private:
    std::unique_ptr<uint8_t[]> heap;
    uint8_t fallback[8192];
};

enum class copy_status {
    complete,    // every requested byte was copied
    input_ended, // the input ended first; what was there was copied
    read_failed,
    write_failed,
};

// Copies up to `count` bytes from the current position of `in` to the end
// of `out` (no output when `out` is null: checksum only). When `crc` is given
// it is continued over the bytes read.
copy_status copy_file_bytes(host::file_handle in, host::staged_file* out, uint64_t count,
                            copy_buffer& buffer, uint32_t* crc);

// Reads until `size` bytes are in or the file ends: bytes read, or -1.
int64_t read_fully(host::file_handle in, void* data, size_t size);

// Closes a host file when it goes out of scope.
struct scoped_file {
    host::file_handle file = host::kInvalidFile;
    scoped_file() = default;
    explicit scoped_file(host::file_handle f) : file(f) {}
    scoped_file(const scoped_file&) = delete;
    scoped_file& operator=(const scoped_file&) = delete;
    ~scoped_file() { reset(); }
    void reset(host::file_handle replacement = host::kInvalidFile) {
        if (file != host::kInvalidFile) host::close_file(file);
        file = replacement;
    }
    bool valid() const { return file != host::kInvalidFile; }
};

} // namespace qor::appfmt
