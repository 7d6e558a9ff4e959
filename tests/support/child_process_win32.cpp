// Windows implementation of the test helpers that start programs: one
// CreateProcessW per program, its output read from two pipes by two threads
// (one thread per pipe, so neither pipe fills up while the other is read).
#include "support/child_process.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <thread>

namespace qor::test {

namespace {

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
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

std::wstring command_line(const std::string& program, const std::vector<std::string>& args) {
    std::wstring line = quoted(widen(program));
    for (const auto& arg : args)
        line += L" " + quoted(widen(arg));
    return line;
}

// The child's environment: this process's, with the overrides on top.
std::wstring environment_block(const std::map<std::string, std::string>& overrides) {
    std::map<std::wstring, std::wstring> variables;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
            const std::wstring text = entry;
            const size_t eq = text.find(L'=', 1); // "=C:=C:\..." entries start with '='
            if (eq != std::wstring::npos) variables[text.substr(0, eq)] = text.substr(eq + 1);
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : overrides)
        variables[widen(name)] = widen(value);
    std::wstring out;
    for (const auto& [name, value] : variables)
        out += name + L"=" + value + L'\0';
    return out + L'\0';
}

HANDLE open_null_output() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       OPEN_EXISTING, 0, nullptr);
}

// The file to start: a relative program counts from the child's working
// folder, and like the shell, a name without ".exe" finds the ".exe" file.
std::wstring application_file(const std::string& program, const std::string& cwd) {
    std::wstring file = widen(program);
    const bool relative = !file.empty() && file[0] != L'\\' && file[0] != L'/' &&
                          !(file.size() > 1 && file[1] == L':');
    if (relative && !cwd.empty()) file = widen(cwd) + L"\\" + file;
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) file += L".exe";
    return file;
}

bool start(const std::string& program, const std::vector<std::string>& args,
           const std::map<std::string, std::string>& env_overrides, const std::string& cwd,
           HANDLE out, HANDLE err, PROCESS_INFORMATION* started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring line = command_line(program, args);
    std::wstring environment = environment_block(env_overrides);
    const std::wstring folder = widen(cwd);
    const std::wstring application = application_file(program, cwd);
    return CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, TRUE,
                          CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(),
                          folder.empty() ? nullptr : folder.c_str(), &startup, started) != 0;
}

void read_all(HANDLE pipe, std::string* sink) {
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0)
        sink->append(buffer, n);
}

int exit_code_of(HANDLE process) {
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    return GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

// Process handles of background programs, by process id.
std::mutex g_background_lock;
std::map<int, HANDLE> g_background;

HANDLE take_background(int pid) {
    std::lock_guard guard(g_background_lock);
    const auto found = g_background.find(pid);
    if (found == g_background.end()) return nullptr;
    const HANDLE process = found->second;
    g_background.erase(found);
    return process;
}

// Killed programs report this exit code.
constexpr UINT kKilledExitCode = 0xDEAD;

} // namespace

run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env_overrides,
                       const std::string& cwd) {
    run_result result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out_read, out_write, err_read, err_write;
    if (!CreatePipe(&out_read, &out_write, &inherit, 0)) return result;
    if (!CreatePipe(&err_read, &err_write, &inherit, 0)) {
        CloseHandle(out_read);
        CloseHandle(out_write);
        return result;
    }
    // Only the child's ends are inherited.
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION started{};
    const bool ok = start(program, args, env_overrides, cwd, out_write, err_write, &started);
    CloseHandle(out_write);
    CloseHandle(err_write);
    if (ok) {
        std::thread err_reader(read_all, err_read, &result.err);
        read_all(out_read, &result.out);
        err_reader.join();
        result.exit_code = exit_code_of(started.hProcess);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    CloseHandle(out_read);
    CloseHandle(err_read);
    return result;
}

background_program start_background(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::map<std::string, std::string>& env_overrides) {
    HANDLE null_output = open_null_output();
    PROCESS_INFORMATION started{};
    const bool ok = start(program, args, env_overrides, "", null_output, null_output, &started);
    if (null_output != INVALID_HANDLE_VALUE) CloseHandle(null_output);
    if (!ok) return background_program{0};
    CloseHandle(started.hThread);
    std::lock_guard guard(g_background_lock);
    g_background[static_cast<int>(started.dwProcessId)] = started.hProcess;
    return background_program{static_cast<int>(started.dwProcessId)};
}

int wait_for(background_program* program) {
    const HANDLE process = take_background(program->pid);
    program->pid = 0;
    if (!process) return -1;
    const int code = exit_code_of(process);
    CloseHandle(process);
    return code == static_cast<int>(kKilledExitCode) ? -1 : code;
}

void stop(background_program* program) {
    if (program->pid <= 0) return;
    {
        std::lock_guard guard(g_background_lock);
        const auto found = g_background.find(program->pid);
        if (found != g_background.end()) TerminateProcess(found->second, kKilledExitCode);
    }
    wait_for(program);
}

} // namespace qor::test
