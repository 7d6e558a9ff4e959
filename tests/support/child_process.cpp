// POSIX implementation of the test helpers that start programs.
#include "support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qor::test {

namespace {

std::vector<char*> make_argv(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Only async-signal-safe work happens between fork and exec, so the
// environment and argv are prepared before forking.
[[noreturn]] void exec_child(const std::vector<char*>& argv, const std::string& cwd) {
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
}

// Environment changes are made in the parent around fork and undone
// afterwards, which keeps the child free of allocations before exec.
struct scoped_env {
    std::map<std::string, std::pair<bool, std::string>> saved;
    explicit scoped_env(const std::map<std::string, std::string>& overrides) {
        for (const auto& [name, value] : overrides) {
            const char* old = getenv(name.c_str());
            saved[name] = {old != nullptr, old ? old : ""};
            setenv(name.c_str(), value.c_str(), 1);
        }
    }
    ~scoped_env() {
        for (const auto& [name, old] : saved) {
            if (old.first)
                setenv(name.c_str(), old.second.c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
};

int collect(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void drain(int out_fd, int err_fd, std::string* out, std::string* err) {
    pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    std::string* sinks[2] = {out, err};
    int open_count = 2;
    char buffer[4096];
    while (open_count > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_count;
            }
        }
    }
}

} // namespace

run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env_overrides,
                       const std::string& cwd) {
    run_result result;
    int out_pipe[2], err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0) return result;
    if (pipe2(err_pipe, O_CLOEXEC) != 0) {
        close(out_pipe[0]);
        close(out_pipe[1]);
        return result;
    }
    const auto argv = make_argv(program, args);
    pid_t pid;
    {
        scoped_env env(env_overrides);
        pid = fork();
        if (pid == 0) {
            dup2(out_pipe[1], STDOUT_FILENO);
            dup2(err_pipe[1], STDERR_FILENO);
            exec_child(argv, cwd);
        }
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    if (pid < 0) {
        close(out_pipe[0]);
        close(err_pipe[0]);
        return result;
    }
    drain(out_pipe[0], err_pipe[0], &result.out, &result.err);
    result.exit_code = collect(pid);
    return result;
}

background_program start_background(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::map<std::string, std::string>& env_overrides) {
    const auto argv = make_argv(program, args);
    scoped_env env(env_overrides);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null_fd = open("/dev/null", O_WRONLY);
        if (null_fd >= 0) {
            dup2(null_fd, STDOUT_FILENO);
            dup2(null_fd, STDERR_FILENO);
        }
        exec_child(argv, "");
    }
    return background_program{pid > 0 ? pid : 0};
}

int wait_for(background_program* program) {
    if (program->pid <= 0) return -1;
    const int code = collect(program->pid);
    program->pid = 0;
    return code;
}

void stop(background_program* program) {
    if (program->pid <= 0) return;
    kill(program->pid, SIGKILL);
    wait_for(program);
}

} // namespace qor::test
