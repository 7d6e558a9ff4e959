// Shell "open" on Linux: documents go to xdg-open, Windows programs to wine;
// both found on PATH. posix_spawnp reports a missing program or a working
// folder that cannot be entered as a failure. A detached thread waits for
// each started process, so none lingers as a zombie while QorOS runs.
#include "host/host_shell.h"
#include "host/windows_command_line.h"

#include <atomic>
#include <cerrno>
#include <pthread.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace qor::host {

namespace {

std::atomic<const shell_backend*> g_shell_backend{nullptr};

void* reap_child(void* pid_bits) {
    const auto pid = static_cast<pid_t>(reinterpret_cast<intptr_t>(pid_bits));
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return nullptr;
}

void reap_in_background(pid_t pid) {
    pthread_t reaper;
    if (pthread_create(&reaper, nullptr, reap_child,
                       reinterpret_cast<void*>(static_cast<intptr_t>(pid))) == 0)
        pthread_detach(reaper);
}

bool spawn_detached(std::vector<std::string>& args, const char* working_folder) {
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    if (working_folder && *working_folder &&
        posix_spawn_file_actions_addchdir_np(&actions, working_folder) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    reap_in_background(pid);
    return true;
}

bool open_document_with_xdg(const char* path) {
    std::vector<std::string> args{"xdg-open", path};
    return spawn_detached(args, nullptr);
}

bool start_program_with_wine(const char* program, const char* parameters,
                             const char* working_folder) {
    std::vector<std::string> args{"wine", program};
    for (auto& arg : split_windows_command_line(parameters))
        args.push_back(std::move(arg));
    return spawn_detached(args, working_folder);
}

} // namespace

bool shell_open_document(const char* path) {
    if (path == nullptr) return false;
    if (const shell_backend* backend = g_shell_backend.load()) return backend->open_document(path);
    return open_document_with_xdg(path);
}

bool shell_start_program(const char* program, const char* parameters, const char* working_folder) {
    if (program == nullptr) return false;
    if (const shell_backend* backend = g_shell_backend.load())
        return backend->start_program(program, parameters, working_folder);
    return start_program_with_wine(program, parameters, working_folder);
}

void set_shell_backend(const shell_backend* backend) {
    g_shell_backend.store(backend);
}

} // namespace qor::host
