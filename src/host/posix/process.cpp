// POSIX process watch: a pidfd where the kernel offers pidfd_open (it stays
// bound to the one process even when its id is reused), else kill(pid, 0).
#include "host/host_process.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qor::host {

namespace {

int open_pidfd(int32_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

// EPERM means the process exists but belongs to someone else.
bool exists_by_id(int32_t pid) {
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

bool open_process(int32_t pid, process_watch* out) {
    if (!out || pid <= 0) return false;
    *out = process_watch{};
    const int fd = open_pidfd(pid);
    if (fd >= 0) {
        *out = process_watch{pid, fd, true};
        return true;
    }
    if (errno != ENOSYS && errno != EPERM) return false;
    if (!exists_by_id(pid)) return false;
    *out = process_watch{pid, -1, true};
    return true;
}

process_state query_process(const process_watch& watch) {
    if (!watch.open) return process_state::query_failed;
    if (watch.native >= 0) {
        // A pidfd becomes readable once its process has exited.
        pollfd item{static_cast<int>(watch.native), POLLIN, 0};
        int ready;
        do {
            ready = poll(&item, 1, 0);
        } while (ready < 0 && errno == EINTR);
        if (ready < 0) return process_state::query_failed;
        return ready == 0 ? process_state::running : process_state::ended;
    }
    if (exists_by_id(watch.pid)) return process_state::running;
    return errno == ESRCH ? process_state::ended : process_state::query_failed;
}

void close_process(process_watch* watch) {
    if (!watch) return;
    if (watch->open && watch->native >= 0) close(static_cast<int>(watch->native));
    *watch = process_watch{};
}

} // namespace qor::host
