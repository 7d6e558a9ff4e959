// The one step of the shutdown sequence that belongs to the desktop: the
// sequence runs in boot, above the desktop, so the desktop registers the
// step when it starts and never needs to know who calls it.
#pragma once

namespace qor::session {

using shutdown_step = void (*)();

// Sets the step that releases the desktop's graphics (the host window, its
// context and registry entry); nullptr clears it.
void set_graphics_release(shutdown_step release);

// Runs the registered release step; without one (no desktop ran) nothing
// is held, so nothing is done.
void release_graphics();

} // namespace qor::session
