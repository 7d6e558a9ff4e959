// The system tree under the host's temporary folder, shared by the log and
// the temporary area.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qor {

// Log cleanup measured against a given "now", so ages can be checked
// without waiting days. Seconds since 1970-01-01 UTC.
int log_cleanup_at(uint32_t days, int64_t now_unix);

// Why folders of the tree were refused (each already told on the console),
// empty when the whole tree is usable.
const std::vector<std::string>& system_tree_problems();

} // namespace qor
