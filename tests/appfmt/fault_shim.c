/* LD_PRELOAD shim that makes the host's own system calls fail inside a built
 * program, for faults the in-process seam cannot show (real errno values,
 * file systems without unnamed temporary files). Set by environment:
 *   QOR_SHIM_FAIL_WRITE=<n>   the n-th write(2) (1-based) fails
 *   QOR_SHIM_WRITE_ERRNO=<e>  with this errno number (default ENOSPC)
 *   QOR_SHIM_FAIL_RENAME=1    every rename(2) fails with EIO
 *   QOR_SHIM_NO_TMPFILE=1     open(2) with O_TMPFILE fails with EOPNOTSUPP
 *   QOR_SHIM_FAIL_FSYNC=1     fsync(2) fails with EIO */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/types.h>
#include <unistd.h>

static long env_number(const char* name) {
    const char* text = getenv(name);
    return text ? strtol(text, NULL, 10) : 0;
}

static long g_writes;

ssize_t write(int fd, const void* data, size_t size) {
    static ssize_t (*real_write)(int, const void*, size_t);
    if (!real_write) real_write = (ssize_t(*)(int, const void*, size_t))dlsym(RTLD_NEXT, "write");
    /* Only regular program output counts: standard streams pass. */
    if (fd > 2) {
        const long fail_at = env_number("QOR_SHIM_FAIL_WRITE");
        if (fail_at > 0 && ++g_writes == fail_at) {
            const long code = env_number("QOR_SHIM_WRITE_ERRNO");
            errno = code > 0 ? (int)code : ENOSPC;
            return -1;
        }
    }
    return real_write(fd, data, size);
}

int rename(const char* from, const char* to) {
    static int (*real_rename)(const char*, const char*);
    if (!real_rename) real_rename = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    if (env_number("QOR_SHIM_FAIL_RENAME")) {
        errno = EIO;
        return -1;
    }
    return real_rename(from, to);
}

int fsync(int fd) {
    static int (*real_fsync)(int);
    if (!real_fsync) real_fsync = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    if (env_number("QOR_SHIM_FAIL_FSYNC")) {
        errno = EIO;
        return -1;
    }
    return real_fsync(fd);
}

static int takes_mode(int flags) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

static int open_with(const char* symbol, const char* path, int flags, mode_t mode) {
    int (*real_open)(const char*, int, ...) =
        (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, symbol);
    if ((flags & O_TMPFILE) == O_TMPFILE && env_number("QOR_SHIM_NO_TMPFILE")) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return real_open(path, flags, mode);
}

int open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if (takes_mode(flags)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return open_with("open", path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    mode_t mode = 0;
    if (takes_mode(flags)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return open_with("open64", path, flags, mode);
}
