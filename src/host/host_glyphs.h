// Host glyph rasteriser: one system face that covers Chinese and Latin text,
// grey glyph bitmaps with 65 coverage levels, and the face's text metrics.
// Not thread-safe: callers serialise every call (the graphics glyph cache
// holds its lock around them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qor::host {

// Pixel metrics of the face at one em height.
struct font_metrics {
    int32_t ascent = 0;             // baseline below the line top
    int32_t height = 0;             // ascent + descent
    int32_t external_leading = 0;   // extra space the face asks for between lines
    int32_t average_char_width = 0; // the advance of glyphs that have no bitmap
};

struct glyph_image {
    int32_t black_box_x = 0;       // bitmap width
    int32_t black_box_y = 0;       // bitmap height
    int32_t origin_x = 0;          // bitmap's left edge right of the pen
    int32_t origin_y = 0;          // bitmap's top edge above the baseline
    int16_t cell_inc_x = 0;        // pen advance
    int32_t stride = 0;            // bytes per bitmap row: ((black_box_x + 3) / 4) * 4
    std::vector<uint8_t> coverage; // black_box_y rows, top first; 0 empty .. 64 covered
};

enum class glyph_result {
    bitmap,    // `out` holds a bitmap of at least one pixel
    no_bitmap, // the glyph is blank (a space, say)
    failed,    // no face, no glyph, or the rasteriser failed
};

// False when no face is available at this em height in pixels.
bool glyph_font_metrics(int pixel_size, font_metrics* out);
glyph_result glyph_rasterise(int pixel_size, uint16_t code_unit, glyph_image* out);
// Where the face came from: its font file where the host opens font files
// itself (Linux), the name of the face the font mapper chose where the host
// maps fonts by name (Windows). Empty when no face covering both Chinese and
// Latin text is available.
std::string glyph_face_file();

} // namespace qor::host
