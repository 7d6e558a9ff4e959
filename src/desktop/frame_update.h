// One frame of the running desktop: read the frame's inputs, find the areas
// whose pixels changed since the last frame, draw only those and have the
// host window present only those. A frame where nothing changed draws and
// presents nothing.
#pragma once

namespace qor::desktop {

// Draws what changed. The folders the frame shows are read again when
// `look_outside` is set (after input) and otherwise four times a second.
void desktop_frame_update(bool look_outside);

// Forgets what was drawn, so the next update draws and presents everything
// (a new desktop context, or a host window whose contents were lost).
void desktop_frame_forget();

} // namespace qor::desktop
