// Routing of host-independent window messages to the desktop: clicks open,
// activate, minimise and close windows and drive the start menu; keys and
// characters go to the active window; Escape closes it or ends the run.
#pragma once

#include <cstdint>

#include "host/host_window.h"

namespace qor::desktop {

struct framebuffer_point {
    int x, y;
};

// Scales a client-area position to the 800 x 600 framebuffer (truncating);
// a client area with a zero dimension leaves the position as it is.
framebuffer_point map_to_framebuffer(int client_x, int client_y, int client_w, int client_h);

// The message handler: every message of the host window comes through here.
void desktop_handle_message(const qor::host::window_message& message);

// Draws what the handled input changed and asks the host window to show it.
// Input that can move the explorer (clicks, the wheel) also has the folders
// the frame shows read again.
void render_and_present(bool look_outside);

} // namespace qor::desktop
