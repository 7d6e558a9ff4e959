// The ordered stop after the desktop's frame loop has ended.
#pragma once

// Unmounts the M: drive, has the desktop host release its graphics, stops
// the clock, empties the temporary area and prints the closing frame.
// Returns the exit code, 0.
int run_shutdown_sequence();

// Destroys the desktop's registry window and its rendering context; the
// desktop host, which created them, provides it.
void release_desktop_graphics();
