// The ordered stop after the desktop's frame loop has ended.
#pragma once

// Unmounts the M: drive, has the desktop release its graphics (through the
// step it registered when it started), stops the clock, empties the
// temporary area and prints the closing frame. Returns the exit code, 0.
int run_shutdown_sequence();
