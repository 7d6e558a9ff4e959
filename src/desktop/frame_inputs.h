// What a frame shows that lives outside the desktop's own tables (the clock,
// the M: drive state, the installed packages, whether the browser package
// exists), read before each frame (all but the clock only when asked to), and the state changes
// that showing some windows implies (a homet window always lists the home folder, the editor loads
// its sample and keeps its cursor line in view). Drawing only reads this, so any part of a frame
// can be drawn again on its own and comes out the same.
#pragma once

#include <cstdint>

#include <qoros/qor_package.h>

#include "host/host_time.h"

namespace qor::desktop {

constexpr uint32_t kStoreListedPackages = 10;

struct frame_inputs {
    qor::host::local_time clock;
    bool m_drive_active;
    bool browser_installed;
    uint32_t store_count; // installed packages, at most 64 counted
    qpa_header store_list[kStoreListedPackages];
};

extern frame_inputs g_frame_inputs;

// Brings g_frame_inputs and the shown windows' state up to date. The system
// state and the folders (home folder, installed packages, browser package)
// are read again only when `look_outside` is set; otherwise their last
// reading stands.
void update_frame_inputs(bool look_outside);

} // namespace qor::desktop
