// UTF-8 text drawing with the system face: arbitrary bytes (broken
// sequences, surrogates, overlong forms, control characters), positions
// partly or wholly outside the framebuffer and any em size.
// Input: 2 bytes em size (signed, folded into -1023..1023: larger glyphs
// only make the rasteriser slow, seconds per call, and are not where text
// handling can go wrong), 2 + 2 bytes position (signed), then the text up to
// the first NUL.
#include <qoros/qor_graphics.h>

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstring>
#include <string>

using qor::fuzz::require;

namespace {

int16_t signed16(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | p[1] << 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static qor_context* ctx = qor_graphics_create_context(160, 60);
    require(ctx != nullptr);
    if (size < 6) return 0;
    const int em = signed16(data) % 1024;
    const qor_point pos{signed16(data + 2), signed16(data + 4)};
    const std::string text(reinterpret_cast<const char*>(data + 6), size - 6);
    const qor_color color{0x20, 0x40, 0x60, 0xFF};
    const int rc = qor_graphics_draw_text(ctx, text.c_str(), pos, color, em);
    require(rc == QOR_OK || rc == QOR_ERR_NO_MEMORY || rc == QOR_ERR_GRAPHICS);
    return 0;
}
