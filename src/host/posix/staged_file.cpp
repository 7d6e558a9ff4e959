// Staged files on POSIX. Where the file system supports it the data goes to an
// unnamed O_TMPFILE inode, so a crash or SIGKILL before the commit leaves
// nothing behind; the inode gets a name only for the instant between linkat
// and rename. Elsewhere a uniquely named file in the same folder takes its
// place. Either way the final rename is atomic.
//
// A name that can be left behind by a killed writer is recognisable,
// ".<file name>.qor-staging.<pid>.<16 hex digits>", and the writer holds an
// flock on the file for as long as it may still write or rename it. A later
// staging of the same destination removes such a file only when the pid in
// its name is gone AND nobody holds the lock: a file another writer is still
// working on is never touched.
#include "host/host_fault.h"
#include "host/host_fs.h"
#include "host/staging_names.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

std::string file_name_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string staging_prefix(const std::string& final_path) {
    return staging::prefix(file_name_of(final_path), NAME_MAX);
}

std::string staging_name(const std::string& final_path) {
    uint64_t random = 0;
    if (getrandom(&random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        random = static_cast<uint64_t>(getpid()) * 0x9E3779B97F4A7C15ull ^
                 reinterpret_cast<uintptr_t>(&random);
    return folder_of(final_path) + "/" +
           staging::name(file_name_of(final_path), NAME_MAX, static_cast<uint64_t>(getpid()),
                         random);
}

bool process_alive(pid_t pid) {
    return kill(pid, 0) == 0 || errno == EPERM;
}

// Removes the file when nobody holds its lock, checking under our own lock
// that the name still refers to the file we locked.
void remove_if_unlocked(int folder_fd, const char* name) {
    const int fd = openat(folder_fd, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat opened {
    }, named{};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 &&
        fstatat(folder_fd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(opened.st_mode) &&
        opened.st_ino == named.st_ino && opened.st_dev == named.st_dev)
        unlinkat(folder_fd, name, 0);
    close(fd);
}

// Staging files of this destination whose writer was killed.
void remove_abandoned_stagings(const std::string& final_path) {
    const std::string prefix = staging_prefix(final_path);
    DIR* folder = opendir(folder_of(final_path).c_str());
    if (!folder) return;
    while (const dirent* entry = readdir(folder)) {
        const auto owner = static_cast<pid_t>(staging::owner_of(entry->d_name, prefix, INT_MAX));
        if (owner != 0 && !process_alive(owner)) remove_if_unlocked(dirfd(folder), entry->d_name);
    }
    closedir(folder);
}

constexpr int kNameAttempts = 16;

bool open_named_temp(staged_file* staged) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = staging_name(staged->final_path);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            flock(fd, LOCK_EX); // a file this process just made: never waits
            staged->file = fd;
            staged->temp_path = std::move(name);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Gives the unnamed inode a staging name so that rename can move it in place.
bool link_unnamed(staged_file* staged) {
    char fd_path[64];
    std::snprintf(fd_path, sizeof fd_path, "/proc/self/fd/%d", static_cast<int>(staged->file));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = staging_name(staged->final_path);
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
    // Only a file is ever replaced: a FIFO, device or folder under the name
    // (or behind a link there) stays as it is.
    struct stat existing {};
    if (stat(final_path, &existing) == 0 && !S_ISREG(existing.st_mode)) return false;
    out->final_path = resolve_destination(final_path);
    remove_abandoned_stagings(out->final_path);
    // O_TMPFILE applies the umask to 0666 like any create.
    const int fd = open(folder_of(out->final_path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        flock(fd, LOCK_EX); // held through linkat and rename: the named moment
        out->file = fd;
        return true;
    }
    return open_named_temp(out);
}

namespace {

// Write-back starts for each completed step; once more than kStepsInFlight
// steps are on their way, the oldest is waited for, which keeps the dirty
// page cache (and the final fsync) small whatever the file's size.
constexpr uint64_t kWriteBackStep = uint64_t{8} << 20;
constexpr uint64_t kStepsInFlight = 4;

void hand_completed_steps_to_disk(staged_file* staged) {
    const int fd = static_cast<int>(staged->file);
    // Failures here are only lost speed: fsync reports any real error.
    while (staged->appended - staged->handed_to_disk >= kWriteBackStep) {
        sync_file_range(fd, static_cast<off_t>(staged->handed_to_disk), kWriteBackStep,
                        SYNC_FILE_RANGE_WRITE);
        staged->handed_to_disk += kWriteBackStep;
        const uint64_t window = kWriteBackStep * kStepsInFlight;
        if (staged->handed_to_disk > window)
            sync_file_range(
                fd, static_cast<off_t>(staged->handed_to_disk - window - kWriteBackStep),
                kWriteBackStep,
                SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
    }
}

} // namespace

bool write_staged(staged_file* staged, const void* data, size_t size) {
    if (!write_file(staged->file, data, size)) return false;
    staged->appended += size;
    hand_completed_steps_to_disk(staged);
    return true;
}

bool commit_staged_file(staged_file* staged) {
    if (staged->file == kInvalidFile) return false;
    // fsync first: where the disk reports a failed write late (NFS, a full
    // thin volume) the old file must stay, and after a power cut the new name
    // must not point at unwritten blocks.
    const int fd = static_cast<int>(staged->file);
    if (fs_fault_injected(fs_op::rename) || fsync(fd) != 0 ||
        (staged->temp_path.empty() && !link_unnamed(staged)) ||
        rename(staged->temp_path.c_str(), staged->final_path.c_str()) != 0) {
        discard_staged_file(staged);
        return false;
    }
    close(fd); // releases the lock once the staging name is gone
    staged->file = kInvalidFile;
    staged->temp_path.clear();
    return true;
}

void discard_staged_file(staged_file* staged) {
    // Unlink before close, so no one can find the name unlocked.
    if (!staged->temp_path.empty()) unlink(staged->temp_path.c_str());
    if (staged->file != kInvalidFile) close(static_cast<int>(staged->file));
    staged->file = kInvalidFile;
    staged->temp_path.clear();
}

} // namespace qor::host
