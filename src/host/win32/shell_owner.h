// The window that owns what the shell shows (error boxes of a failed open).
#pragma once

#include <windows.h>

namespace qor::host::win32 {

// The desktop's window while it exists; nullptr for none.
void set_shell_owner(HWND owner);

} // namespace qor::host::win32
