// The terminal's working folder follows the process's current folder. Both
// terminal_init and cd adopt it through this one rule, so cwd never holds a
// name cut to the field and therefore never names a folder nobody entered.
#pragma once

#include "qoros/qor_terminal.h"

namespace qor::terminal {

// Copies the process's current folder into t->cwd and returns true when the
// host reports it and its whole name fits; otherwise leaves cwd unchanged
// and returns false.
bool adopt_process_folder(terminal_state* t);

} // namespace qor::terminal
