// Staged files on POSIX. Where the file system supports it the data goes to an
// unnamed O_TMPFILE inode, so a crash or SIGKILL before the commit leaves
// nothing behind; the inode gets a hidden name only for the instant between
// linkat and rename. Elsewhere a hidden, uniquely named file in the same
// folder takes its place. Either way the final rename is atomic.
#include "host/host_fault.h"
#include "host/host_fs.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qor::host {

namespace {

// Writing through a symbolic link must replace the file it points to, not
// the link itself.
std::string resolve_destination(const char* path) {
    struct stat st {};
    if (lstat(path, &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* target = realpath(path, nullptr)) {
            std::string resolved = target;
            std::free(target);
            return resolved;
        }
    }
    return path;
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// "<folder>/.<name>.<16 hex digits>": hidden, and unlikely to collide.
std::string hidden_name_beside(const std::string& final_path) {
    uint64_t random = 0;
    if (getrandom(&random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        random = static_cast<uint64_t>(getpid()) * 0x9E3779B97F4A7C15ull ^
                 reinterpret_cast<uintptr_t>(&random);
    const size_t slash = final_path.rfind('/');
    const std::string name = slash == std::string::npos ? final_path : final_path.substr(slash + 1);
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(random));
    return folder_of(final_path) + "/." + name + suffix;
}

constexpr int kNameAttempts = 16;

bool open_named_temp(staged_file* staged) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = hidden_name_beside(staged->final_path);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            staged->file = fd;
            staged->temp_path = std::move(name);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Gives the unnamed inode a hidden name so that rename can move it in place.
bool link_unnamed(staged_file* staged) {
    char fd_path[64];
    std::snprintf(fd_path, sizeof fd_path, "/proc/self/fd/%d", static_cast<int>(staged->file));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = hidden_name_beside(staged->final_path);
        int rc = linkat(AT_FDCWD, fd_path, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        if (rc != 0 && errno == ENOENT) // no /proc: needs CAP_DAC_READ_SEARCH
            rc = linkat(static_cast<int>(staged->file), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
        if (rc == 0) {
            staged->temp_path = std::move(name);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

} // namespace

bool stage_file(const char* final_path, staged_file* out) {
    *out = staged_file{};
    if (final_path == nullptr || *final_path == '\0') return false;
    if (fs_fault_injected(fs_op::open_write)) return false;
    out->final_path = resolve_destination(final_path);
    const int fd = open(folder_of(out->final_path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        out->file = fd;
        return true;
    }
    return open_named_temp(out);
}

bool commit_staged_file(staged_file* staged) {
    if (staged->file == kInvalidFile) return false;
    if (fs_fault_injected(fs_op::rename) || (staged->temp_path.empty() && !link_unnamed(staged))) {
        discard_staged_file(staged);
        return false;
    }
    // close() is where some file systems (NFS) report a failed write.
    const bool closed = close(static_cast<int>(staged->file)) == 0;
    staged->file = kInvalidFile;
    if (!closed || rename(staged->temp_path.c_str(), staged->final_path.c_str()) != 0) {
        discard_staged_file(staged);
        return false;
    }
    staged->temp_path.clear();
    return true;
}

void discard_staged_file(staged_file* staged) {
    if (staged->file != kInvalidFile) close(static_cast<int>(staged->file));
    if (!staged->temp_path.empty()) unlink(staged->temp_path.c_str());
    staged->file = kInvalidFile;
    staged->temp_path.clear();
}

} // namespace qor::host
