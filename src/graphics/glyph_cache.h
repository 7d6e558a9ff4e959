// Thread-safe cache of font metrics and rasterised glyphs. Entries are
// immutable and shared: a caller keeps its glyph alive while drawing even if
// the cache is emptied meanwhile.
#pragma once

#include "host/host_glyphs.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qor::gfx {

struct cached_glyph {
    bool has_bitmap = false; // false: the pen moves by the average width
    int32_t width = 0, height = 0;
    int32_t origin_x = 0, origin_y = 0;
    int16_t advance = 0;
    // width * height blend weights, rows packed: coverage v (1..64) becomes
    // (v * 255) >> 6, coverage 0 stays 0 (pixel untouched).
    std::vector<uint8_t> alpha;
};

using glyph_ref = std::shared_ptr<const cached_glyph>;

bool lookup_font_metrics(int pixel_size, host::font_metrics* out);
// Null only when memory runs out.
glyph_ref lookup_glyph(int pixel_size, uint16_t code_unit);

} // namespace qor::gfx
