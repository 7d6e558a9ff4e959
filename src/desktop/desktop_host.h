// The desktop host: the host window, the desktop context, the desktop's
// registry entry and the frame loop that runs until the system stops.
#pragma once

namespace qor::desktop {

// True while the frame loop runs; cleared by the destroy and quit messages,
// by Escape on the empty desktop and by a quit event.
extern bool g_running;

// The desktop's identifier in the window registry (0 before it registers).
extern int g_desktop_win;

// Ends the run: the frame loop stops and the shutdown sequence follows.
void request_quit();

// Registers the desktop's release step with the shutdown sequence, opens the
// window, creates the context, registers the desktop and runs the frame
// loop. Returns 0 when the loop ended normally, or 1 after printing the
// set-up failure lines (the shutdown sequence must not run).
int run_desktop_host();

// One pass of the frame loop without its pacing sleep: messages, the
// disk-mount hotkey, one event, a render. Returns false once the loop must
// end.
bool run_frame_pass();

} // namespace qor::desktop
