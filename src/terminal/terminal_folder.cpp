// Adopting the process's current folder as the terminal's working folder.
#include "terminal/terminal_folder.h"

#include "host/host_fs.h"

#include <cstring>
#include <string>

namespace qor::terminal {

bool adopt_process_folder(terminal_state* t) {
    std::string now;
    if (!host::current_folder(&now) || now.size() >= sizeof t->cwd) return false;
    std::memcpy(t->cwd, now.c_str(), now.size() + 1);
    return true;
}

} // namespace qor::terminal
