// Shell "open" on Windows: ShellExecuteW with the verb "open", owned by the
// desktop's window when there is one, in the normal show state. Windows
// starts a program the same way as it opens a document, so both operations
// are one call.
#include "host/host_shell.h"
#include "host/win32/shell_owner.h"
#include "host/win32/wide.h"

#include <shellapi.h>
#include <windows.h>

#include <atomic>

namespace qor::host {

namespace {

std::atomic<const shell_backend*> g_shell_backend{nullptr};
std::atomic<HWND> g_shell_owner{nullptr};

// Absent texts stay absent: ShellExecuteW then uses no parameters and the
// current folder.
std::wstring wide_or_empty(const char* text) {
    return text ? win32::widen(text) : std::wstring();
}

bool shell_open(const char* file, const char* parameters, const char* working_folder) {
    const std::wstring wide_file = win32::widen(file);
    if (wide_file.empty()) return false;
    const std::wstring wide_parameters = wide_or_empty(parameters);
    const std::wstring wide_folder = wide_or_empty(working_folder);
    // The shell may hand the file to a COM-based handler, which needs an
    // apartment on this thread.
    const bool com_owned =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    const HINSTANCE result =
        ShellExecuteW(g_shell_owner.load(), L"open", wide_file.c_str(),
                      wide_parameters.empty() ? nullptr : wide_parameters.c_str(),
                      wide_folder.empty() ? nullptr : wide_folder.c_str(), SW_SHOWNORMAL);
    if (com_owned) CoUninitialize();
    // Values above 32 mean success; smaller ones are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace

bool shell_open_document(const char* path) {
    if (path == nullptr) return false;
    if (const shell_backend* backend = g_shell_backend.load()) return backend->open_document(path);
    return shell_open(path, nullptr, nullptr);
}

bool shell_start_program(const char* program, const char* parameters, const char* working_folder) {
    if (program == nullptr) return false;
    if (const shell_backend* backend = g_shell_backend.load())
        return backend->start_program(program, parameters, working_folder);
    return shell_open(program, parameters, working_folder);
}

void set_shell_backend(const shell_backend* backend) {
    g_shell_backend.store(backend);
}

namespace win32 {
void set_shell_owner(HWND owner) {
    g_shell_owner.store(owner);
}
} // namespace win32

} // namespace qor::host
