// Atomic file replacement: a file's path shows either its old content or the
// whole new content, never a half-written mix. The new content goes into a
// hidden temporary file in the same folder and is renamed over the path only
// when complete.
#pragma once

#include "host/host_fs.h"

#include <cstddef>
#include <string>

namespace qor::host {

struct atomic_file {
    file_handle file = kInvalidFile;
    std::string temp_path;
    std::string final_path;
};

// Creates the temporary file beside path with ordinary permissions (0666 less
// the umask). False when the folder does not exist or cannot be written.
bool atomic_file_begin(const char* path, atomic_file* out);

// Appends bytes to the temporary file.
bool atomic_file_write(atomic_file* file, const void* data, size_t size);

// Flushes the content to the disk and renames the temporary file over the
// path. On failure the temporary file is removed and the path is untouched.
bool atomic_file_commit(atomic_file* file);

// Removes the temporary file; the path keeps whatever it held before.
void atomic_file_discard(atomic_file* file);

} // namespace qor::host
