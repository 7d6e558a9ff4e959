// POSIX file system backend.
#include "host/host_fault.h"
#include "host/host_fs.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qor::host {

namespace {

void fill_info(const struct statx& st, path_info* out) {
    out->is_folder = S_ISDIR(st.stx_mode);
    out->size = st.stx_size;
    out->modified_unix = st.stx_mtime.tv_sec;
    out->created_unix = (st.stx_mask & STATX_BTIME) ? st.stx_btime.tv_sec
                                                    : static_cast<int64_t>(st.stx_mtime.tv_sec);
}

bool stat_at(int dir_fd, const char* path, path_info* out) {
    struct statx st {};
    if (statx(dir_fd, path, 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) return false;
    fill_info(st, out);
    return true;
}

} // namespace

std::string program_file() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

create_result create_folder(const char* path) {
    if (mkdir(path, 0777) == 0) return create_result::created;
    return errno == EEXIST ? create_result::exists : create_result::failed;
}

create_result create_new_file(const char* path) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? create_result::exists : create_result::failed;
    close(fd);
    return create_result::created;
}

bool remove_folder(const char* path) {
    return rmdir(path) == 0;
}

bool remove_file(const char* path) {
    return unlink(path) == 0;
}

bool query_path(const char* path, path_info* out) {
    path_info info;
    if (!stat_at(AT_FDCWD, path, &info)) return false;
    if (out) *out = info;
    return true;
}

bool list_folder(const char* path, std::vector<folder_entry>* out) {
    DIR* dir = opendir(path);
    if (!dir) return false;
    out->clear();
    const int dir_fd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        folder_entry item;
        item.name = entry->d_name;
        // An entry that vanished meanwhile is still listed, as a plain file.
        stat_at(dir_fd, entry->d_name, &item.info);
        struct stat own {};
        item.info.is_link =
            fstatat(dir_fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
        out->push_back(std::move(item));
    }
    closedir(dir);
    return true;
}

bool current_folder(std::string* out) {
    char* cwd = getcwd(nullptr, 0);
    if (!cwd) return false;
    *out = cwd;
    std::free(cwd);
    return true;
}

bool change_folder(const char* path) {
    return chdir(path) == 0;
}

// Only regular files are read or written as data. A FIFO or device opened
// without O_NONBLOCK could block the open itself forever (a FIFO without a
// writer), so the type is checked on the opened descriptor first and
// blocking reads and writes are switched back on only for a regular file.
file_handle open_file(const char* path, open_mode mode) {
    if (fs_fault_injected(mode == open_mode::read ? fs_op::open_read : fs_op::open_write))
        return kInvalidFile;
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
    case open_mode::read:
        flags |= O_RDONLY;
        break;
    case open_mode::write_truncate:
        flags |= O_WRONLY | O_CREAT;
        break;
    // The log: a link planted under its name is never written through.
    case open_mode::append:
        flags |= O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW;
        break;
    }
    const int fd = open(path, flags, 0666);
    if (fd < 0) return kInvalidFile;
    struct stat st {};
    // Truncated only once it is known to be a file.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        (mode == open_mode::write_truncate && ftruncate(fd, 0) != 0) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        return kInvalidFile;
    }
    return fd;
}

int64_t read_file(file_handle file, void* buffer, size_t size) {
    if (fs_fault_injected(fs_op::read)) return -1;
    for (;;) {
        const ssize_t n = read(static_cast<int>(file), buffer, size);
        if (n >= 0) return n;
        if (errno != EINTR) return -1;
    }
}

bool write_file(file_handle file, const void* data, size_t size) {
    if (fs_fault_injected(fs_op::write)) return false;
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(static_cast<int>(file), bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool seek_file(file_handle file, uint64_t offset) {
    if (fs_fault_injected(fs_op::seek)) return false;
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    return lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool file_size(file_handle file, uint64_t* size) {
    struct stat st {};
    if (fstat(static_cast<int>(file), &st) != 0) return false;
    *size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool close_file(file_handle file) {
    return close(static_cast<int>(file)) == 0;
}

} // namespace qor::host
