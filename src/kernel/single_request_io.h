// One open, one read or write request, one close: the file access shared by
// the kernel file I/O and the virtual drive's file operations.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::kernel {

enum class io_outcome { done, open_failed, request_failed };

// Reads up to size bytes from the start of an existing file; *transferred
// gets the bytes read (0 when the file could not be opened).
io_outcome read_once(const char* path, void* buffer, size_t size, uint64_t* transferred);

// Creates or truncates the file and writes size bytes; *transferred gets the
// bytes written.
io_outcome write_once(const char* path, const void* data, size_t size, uint64_t* transferred);

} // namespace qor::kernel
