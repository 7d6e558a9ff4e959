// The explorer's one process-wide state, shared by the Files and homet
// windows and set up by boot.
#include "desktop/explorer_state.h"

namespace qor::desktop {

explorer_state g_files;

} // namespace qor::desktop
