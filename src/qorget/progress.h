// Progress of the current (or last) download, process-wide. Atomic so that a
// reader on another thread sees a whole value, if possibly an earlier one.
#pragma once

#include <atomic>
#include <cstdint>

namespace qor::qorget {

// Percent of the announced length received; 100 at the end of a download
// without announced length.
extern std::atomic<uint32_t> g_download_progress;
// Bytes received and written.
extern std::atomic<uint64_t> g_downloaded_bytes;
// Length announced by the server, 0 when none.
extern std::atomic<uint64_t> g_total_bytes;

} // namespace qor::qorget
