// Atomic replacement on Windows is the staged file: a hidden file beside the
// destination, moved over it with MoveFileExW(MOVEFILE_REPLACE_EXISTING).
#include "host/host_atomic_file.h"

namespace qor::host {

namespace {

staged_file as_staged(const atomic_file& file) {
    return staged_file{file.file, file.final_path, file.temp_path};
}

void take_back(const staged_file& staged, atomic_file* file) {
    file->file = staged.file;
    file->temp_path = staged.temp_path;
}

} // namespace

bool atomic_file_begin(const char* path, atomic_file* out) {
    if (!path || !*path || !out) return false;
    staged_file staged;
    if (!stage_file(path, &staged)) return false;
    *out = atomic_file{staged.file, staged.temp_path, staged.final_path};
    return true;
}

bool atomic_file_write(atomic_file* file, const void* data, size_t size) {
    return file && file->file != kInvalidFile && write_file(file->file, data, size);
}

bool atomic_file_commit(atomic_file* file) {
    if (!file || file->file == kInvalidFile) return false;
    staged_file staged = as_staged(*file);
    const bool committed = commit_staged_file(&staged);
    take_back(staged, file);
    return committed;
}

void atomic_file_discard(atomic_file* file) {
    if (!file || file->file == kInvalidFile) return;
    staged_file staged = as_staged(*file);
    discard_staged_file(&staged);
    take_back(staged, file);
}

} // namespace qor::host
