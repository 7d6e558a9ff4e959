#include "host/host_env.h"

#include <cstdlib>

namespace qor::host {

bool set_environment_variable(const char* name, const char* value) {
    return setenv(name, value, 1) == 0;
}

} // namespace qor::host
