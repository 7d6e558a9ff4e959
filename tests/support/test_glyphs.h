// A glyph source with known metrics and bitmaps, so text tests (and golden
// images of whole screens) do not depend on one rasteriser's anti-aliasing.
//
// At em size s the face has ascent s, height s + s/4, external leading 2 and
// average width s/2, so lines are s + s/4 + 2 apart. Glyphs:
//   ' ', '\t', '\r'        no bitmap (the pen moves by the average width)
//   U+FFFF                 the rasteriser fails (same pen move)
//   'h'                    s/2 x s box, coverage 32, origin (1, s), advance s/2 + 2
//   'g'                    13 x 5 box, coverage 0..64 row by row, origin (0, s), advance 14
//   U+4E00 .. U+9FFF       s x s box, coverage 64, origin (0, s), advance s + 1
//   anything else          s/2 x s box, coverage 64, origin (1, s), advance s/2 + 2
#pragma once

namespace qor::test {

// How often the installed test source has been asked for a glyph.
int test_glyph_requests();

// Installs the test source for the lifetime of the object, then puts the
// system face back.
struct scoped_test_glyphs {
    scoped_test_glyphs();
    ~scoped_test_glyphs();
    scoped_test_glyphs(const scoped_test_glyphs&) = delete;
    scoped_test_glyphs& operator=(const scoped_test_glyphs&) = delete;
};

} // namespace qor::test
