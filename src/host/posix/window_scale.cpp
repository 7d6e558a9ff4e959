#include "host/posix/window_scale.h"

#include <cstdlib>

namespace qor::host::sdl {
namespace {

int parse_scale(const char* text) {
    if (!text || *text < '0' || *text > '9') return 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > kLargestWindowScale) return 0;
    return static_cast<int>(value);
}

} // namespace

int window_scale_from(const char* qoros_scale, const char* gdk_scale) {
    if (const int scale = parse_scale(qoros_scale)) return scale;
    if (const int scale = parse_scale(gdk_scale)) return scale;
    return 1;
}

} // namespace qor::host::sdl
