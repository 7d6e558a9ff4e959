// Watching host processes: open one by its id and ask whether it still runs.
#pragma once

#include <cstdint>

namespace qor::host {

// A watched host process. `native` is the backend's handle (a pidfd on
// Linux, a process handle on Windows), or -1 when the backend watches the
// process by id alone.
struct process_watch {
    int32_t pid = 0;
    intptr_t native = -1;
    bool open = false;
};

// Opens the process for watching; false when it does not exist or cannot be
// opened by this user.
bool open_process(int32_t pid, process_watch* out);

enum class process_state {
    running,
    ended,
    query_failed, // the watch is not open, or the host could not answer
};

process_state query_process(const process_watch& watch);

// Releases the host handle; the watch is closed afterwards.
void close_process(process_watch* watch);

} // namespace qor::host
