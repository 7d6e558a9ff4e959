// Process environment.
#pragma once

namespace qor::host {

// Sets (replaces) one environment variable of this process.
bool set_environment_variable(const char* name, const char* value);

} // namespace qor::host
