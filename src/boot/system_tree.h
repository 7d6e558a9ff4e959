// The system tree under the host's temporary folder, shared by the log and
// the temporary area.
#pragma once

#include <cstdint>

namespace qor {

// Log cleanup measured against a given "now", so ages can be checked
// without waiting days. Seconds since 1970-01-01 UTC.
int log_cleanup_at(uint32_t days, int64_t now_unix);

} // namespace qor
