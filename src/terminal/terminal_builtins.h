// The commands the terminal runs itself, and helpers they share with the
// line dispatcher.
#pragma once

#include "qoros/qor_terminal.h"

namespace qor::terminal {

// ASCII letters compare without regard to case; everything else exactly.
bool equals_ignoring_case(const char* a, const char* b);

// Runs the built-in command named by word (any letter case) with the given
// argument text and returns true; returns false when word names none.
bool run_builtin(terminal_state* t, const char* word, const char* args);

} // namespace qor::terminal
