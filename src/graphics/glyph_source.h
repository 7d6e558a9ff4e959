// Where text gets its glyphs: the host's system face by default, or another
// source installed by tests (known bitmaps and metrics make text placement
// checkable to the pixel, independent of one rasteriser's anti-aliasing).
#pragma once

#include "host/host_glyphs.h"

#include <cstdint>

namespace qor::gfx {

struct glyph_source {
    bool (*font_metrics)(int pixel_size, host::font_metrics* out);
    host::glyph_result (*rasterise)(int pixel_size, uint16_t code_unit, host::glyph_image* out);
};

// Installs `source` for every later text call (null: the system face) and
// empties the glyph cache. Calls into a source are serialised.
void set_glyph_source(const glyph_source* source);

// The cache keeps metrics per size and rasterised glyphs per (size, code
// unit). Off, every call asks the source again; the pixels are the same.
void set_glyph_cache_enabled(bool enabled);

} // namespace qor::gfx
