// POSIX atomic file replacement: O_EXCL temporary file, fsync, rename(2).
#include "host/host_atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace qor::host {

namespace {

constexpr int kNameAttempts = 64;

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name no other writer picks: process id, a per-process counter and the
// clock, retried with O_EXCL should it exist anyway.
std::string candidate_name(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char name[64];
    std::snprintf(name, sizeof name, ".qor-%x-%x-%lx.part", static_cast<unsigned>(getpid()),
                  counter++, static_cast<unsigned long>(now.tv_nsec));
    return folder + name;
}

} // namespace

bool atomic_file_begin(const char* path, atomic_file* out) {
    if (!path || !*path || !out) return false;
    const std::string folder = folder_of(path);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string temp = candidate_name(folder);
        // Mode 0666 lets the kernel apply the umask, as for any new file.
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            out->file = fd;
            out->temp_path = std::move(temp);
            out->final_path = path;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool atomic_file_write(atomic_file* file, const void* data, size_t size) {
    return file && file->file != kInvalidFile && write_file(file->file, data, size);
}

bool atomic_file_commit(atomic_file* file) {
    if (!file || file->file == kInvalidFile) return false;
    const int fd = static_cast<int>(file->file);
    const bool synced = fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    file->file = kInvalidFile;
    if (synced && closed && rename(file->temp_path.c_str(), file->final_path.c_str()) == 0)
        return true;
    unlink(file->temp_path.c_str());
    return false;
}

void atomic_file_discard(atomic_file* file) {
    if (!file || file->file == kInvalidFile) return;
    close(static_cast<int>(file->file));
    file->file = kInvalidFile;
    unlink(file->temp_path.c_str());
}

} // namespace qor::host
