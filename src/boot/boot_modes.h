// The three ways Tarnwick runs, chosen by its first argument.
#pragma once

enum class run_mode { version, headless, desktop };

// Only the first argument counts; anything unknown means the desktop.
run_mode choose_mode(int argc, const char* const* argv);

// Each returns the process exit code.
int run_version();
int run_headless();
int run_desktop();
