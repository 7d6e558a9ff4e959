// The "help" listing: every command of the table, by category.
#pragma once

#include "qoros/qor_terminal.h"

namespace qor::terminal {

void print_help(terminal_state* t);

} // namespace qor::terminal
