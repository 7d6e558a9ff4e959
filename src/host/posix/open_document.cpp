// Opening documents on Linux desktops: xdg-open, started detached.
#include "host/host_open_document.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qor::host {

namespace {

// The grandchild runs xdg-open in a session of its own with its standard
// streams on /dev/null, so the viewer outlives us and cannot write into our
// console; the intermediate child exits at once and is reaped here, so no
// zombie is left behind. Only async-signal-safe calls run after fork.
void start_xdg_open(const char* path) {
    const pid_t child = fork();
    if (child < 0) return;
    if (child == 0) {
        if (fork() == 0) {
            setsid();
            const int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
            if (null_fd >= 0) {
                dup2(null_fd, STDIN_FILENO);
                dup2(null_fd, STDOUT_FILENO);
                dup2(null_fd, STDERR_FILENO);
            }
            char program[] = "xdg-open";
            char* const argv[] = {program, const_cast<char*>(path), nullptr};
            execvp(program, argv);
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) break;
    }
}

document_opener g_document_opener = start_xdg_open;

} // namespace

void open_document(const char* path) {
    if (path && *path) g_document_opener(path);
}

void set_document_opener(document_opener opener) {
    g_document_opener = opener ? opener : start_xdg_open;
}

} // namespace qor::host
