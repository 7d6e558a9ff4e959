// What each backend provides underneath the replaceable host services: the
// seams in common/ call these unless a test has installed a replacement.
#pragma once

#include "host/host_drives.h"
#include "host/host_memory.h"

#include <vector>

namespace qor::host::native {

std::vector<drive> list_drives();
bool query_memory(memory_status* out);
// Shows the error where the host shows such things (a message box, or the
// console's error stream); returns once the user can have seen it.
void show_error_box(const char* caption, const char* text);

} // namespace qor::host::native
