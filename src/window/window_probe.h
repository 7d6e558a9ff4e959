// A look at a window's own context without handing the context out: its size
// and one pixel, read under the registry lock. For diagnostics and tests.
#pragma once

#include <cstdint>

namespace qor::window {

struct context_probe {
    int width;
    int height;
    uint32_t pixel; // 0xAARRGGBB at the probed point
};

// False when the id is unknown or the point lies outside the context.
bool probe_context(int id, int x, int y, context_probe* out);

} // namespace qor::window
