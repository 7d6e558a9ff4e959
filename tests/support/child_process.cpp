// Starting programs from tests, the same way on every host: a child's
// output goes into two files in a fresh scratch folder, read back once it
// has ended, so nothing has to drain pipes while it runs. Only starting,
// waiting and killing differ between POSIX and Windows.
#include "support/child_process.h"
#include "support/scratch.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace qor::test {

namespace {

using environment = std::map<std::string, std::string>;

// This process's environment with the overrides on top, as NAME=value texts.
std::vector<std::string> child_environment(const environment& overrides) {
#ifdef _WIN32
    char** entries = _environ;
#else
    char** entries = environ;
#endif
    environment variables;
    for (char** entry = entries; *entry; ++entry) {
        const std::string text = *entry;
        const size_t eq = text.find('=', 1); // "=C:=C:\..." entries start with '='
        if (eq != std::string::npos) variables[text.substr(0, eq)] = text.substr(eq + 1);
    }
    for (const auto& [name, value] : overrides)
        variables[name] = value;
    std::vector<std::string> out;
    for (const auto& [name, value] : variables)
        out.push_back(name + "=" + value);
    return out;
}

#ifdef _WIN32
// Killed programs report this exit code.
constexpr UINT kKilledExitCode = 0xDEAD;

std::wstring widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), n);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

// One argument quoted so that the C runtime's parser gives it back as it is.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

intptr_t spawn(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& env, const std::string& cwd,
               const std::filesystem::path& out, const std::filesystem::path& err) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto create = [&](const std::filesystem::path& path) {
        return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, CREATE_ALWAYS, 0, nullptr);
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = create(out);
    startup.hStdError = create(err);
    std::wstring line = quoted(widen(program)), block;
    for (const auto& arg : args)
        line += L" " + quoted(widen(arg));
    for (const auto& entry : env)
        block += widen(entry) + L'\0';
    block += L'\0';
    // Like the shell: a relative program counts from the working folder, and
    // a name without ".exe" finds the ".exe" file.
    std::filesystem::path file = program;
    if (!cwd.empty() && !file.has_root_directory()) file = std::filesystem::path(cwd) / file;
    if (!std::filesystem::exists(file)) file += ".exe";
    const std::wstring folder = widen(cwd);
    PROCESS_INFORMATION started{};
    const bool ok = CreateProcessW(file.c_str(), line.data(), nullptr, nullptr, TRUE,
                                   CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(),
                                   folder.empty() ? nullptr : folder.c_str(), &startup, &started);
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (!ok) return 0;
    CloseHandle(started.hThread);
    return reinterpret_cast<intptr_t>(started.hProcess);
}

int process_id(intptr_t child) {
    return static_cast<int>(GetProcessId(reinterpret_cast<HANDLE>(child)));
}

int collect(intptr_t child) {
    const auto process = reinterpret_cast<HANDLE>(child);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    const bool known = GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return known && code != kKilledExitCode ? static_cast<int>(code) : -1;
}

void kill_child(intptr_t child) {
    TerminateProcess(reinterpret_cast<HANDLE>(child), kKilledExitCode);
}
#else
intptr_t spawn(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& env, const std::string& cwd,
               const std::filesystem::path& out, const std::filesystem::path& err) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())}, envp;
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    for (const auto& entry : env)
        envp.push_back(const_cast<char*>(entry.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    constexpr int kCreate = O_WRONLY | O_CREAT | O_TRUNC;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), kCreate, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), kCreate, 0600);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = 0;
    const int failed =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

int process_id(intptr_t child) {
    return static_cast<int>(child);
}

int collect(intptr_t child) {
    int status = 0;
    while (waitpid(static_cast<pid_t>(child), &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void kill_child(intptr_t child) {
    kill(static_cast<pid_t>(child), SIGKILL);
}
#endif

} // namespace

run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const environment& env_overrides, const std::string& cwd) {
    const auto folder = fresh_folder("output");
    run_result result;
    const intptr_t child =
        spawn(program, args, child_environment(env_overrides), cwd, folder / "out", folder / "err");
    if (!child) return result;
    result.exit_code = collect(child);
    result.out = read_bytes(folder / "out");
    result.err = read_bytes(folder / "err");
    return result;
}

background_program start_background(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const environment& env_overrides) {
    const auto folder = fresh_folder("output");
    const intptr_t child =
        spawn(program, args, child_environment(env_overrides), "", folder / "out", folder / "err");
    return background_program{child ? process_id(child) : 0, child};
}

int wait_for(background_program* program) {
    const intptr_t child = program->native;
    *program = {};
    return child ? collect(child) : -1;
}

void stop(background_program* program) {
    if (program->native) kill_child(program->native);
    wait_for(program);
}

} // namespace qor::test
