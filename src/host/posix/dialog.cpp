// Without a window system's message box, a start error goes to the console's
// error stream, where the person who started the program looks.
#include "host/native.h"

#include <cstdio>

namespace qor::host {

void native::show_error_box(const char* caption, const char* text) {
    std::fprintf(stderr, "\n  [%s]\n  %s\n", caption, text);
    std::fflush(stderr);
}

} // namespace qor::host
