#include "host/host_env.h"

#include <cstdlib>

namespace qor::host {

// The C runtime's copy is what getenv and child processes see.
bool set_environment_variable(const char* name, const char* value) {
    return _putenv_s(name, value) == 0;
}

} // namespace qor::host
