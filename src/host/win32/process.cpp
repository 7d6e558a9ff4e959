// Process watch on Windows: a handle from OpenProcess, asked with
// GetExitCodeProcess. A process may itself exit with STILL_ACTIVE (259), so
// that code is confirmed by a zero-time wait on the handle, which is
// signalled only once the process has really ended.
#include "host/host_process.h"

#include <windows.h>

namespace qor::host {

namespace {

HANDLE as_handle(const process_watch& watch) {
    return reinterpret_cast<HANDLE>(watch.native);
}

} // namespace

bool open_process(int32_t pid, process_watch* out) {
    if (!out || pid <= 0) return false;
    *out = process_watch{};
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                 static_cast<DWORD>(pid));
    if (!process) return false;
    *out = process_watch{pid, reinterpret_cast<intptr_t>(process), true};
    return true;
}

process_state query_process(const process_watch& watch) {
    if (!watch.open || watch.native == -1) return process_state::query_failed;
    DWORD code = 0;
    if (!GetExitCodeProcess(as_handle(watch), &code)) return process_state::query_failed;
    if (code != STILL_ACTIVE) return process_state::ended;
    switch (WaitForSingleObject(as_handle(watch), 0)) {
    case WAIT_TIMEOUT:
        return process_state::running;
    case WAIT_OBJECT_0:
        return process_state::ended;
    default:
        return process_state::query_failed;
    }
}

void close_process(process_watch* watch) {
    if (!watch) return;
    if (watch->open && watch->native != -1) CloseHandle(as_handle(*watch));
    *watch = process_watch{};
}

} // namespace qor::host
