// The registered release step of the shutdown sequence, kept in one slot:
// a process runs at most one desktop.
#include "session/shutdown_hooks.h"

namespace qor::session {

namespace {
shutdown_step g_graphics_release = nullptr;
} // namespace

void set_graphics_release(shutdown_step release) {
    g_graphics_release = release;
}

void release_graphics() {
    if (g_graphics_release) g_graphics_release();
}

} // namespace qor::session
