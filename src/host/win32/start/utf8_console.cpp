// Programs write UTF-8 (the boot lines are Chinese). A Windows console shows
// the bytes in its own code page unless told otherwise, so every program
// switches its console's output to UTF-8 before main runs. Output that goes
// to a file or a pipe is unaffected: the bytes pass through unchanged.
#include <windows.h>

namespace {

struct utf8_console {
    utf8_console() { SetConsoleOutputCP(CP_UTF8); }
};

const utf8_console g_utf8_console;

} // namespace
