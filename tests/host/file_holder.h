// Holding a file as a live staged-file writer does, so tests can show that
// such a file is never taken away: an flock on POSIX, an open handle that
// shares nothing on Windows.
#pragma once

#include <cstdint>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace qor::test {

struct held_file {
    intptr_t native = -1;
};

#ifdef _WIN32
inline held_file hold_file(const std::filesystem::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    return {reinterpret_cast<intptr_t>(file)};
}
inline void release(held_file* file) {
    if (file->native != -1) CloseHandle(reinterpret_cast<HANDLE>(file->native));
    file->native = -1;
}
// The id of the test process itself.
inline int this_process_id() {
    return static_cast<int>(GetCurrentProcessId());
}
#else
inline held_file hold_file(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && flock(fd, LOCK_EX) != 0) {
        close(fd);
        return {};
    }
    return {fd};
}
inline void release(held_file* file) {
    if (file->native >= 0) close(static_cast<int>(file->native));
    file->native = -1;
}
inline int this_process_id() {
    return static_cast<int>(getpid());
}
#endif

} // namespace qor::test
