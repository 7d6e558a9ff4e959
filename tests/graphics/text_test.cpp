// Text placement, line feeds, fallback advances and coverage blending with
// the test glyph source; coverage of the real system face; the cache.
#include "canvas.h"
#include "graphics/glyph_source.h"
#include "graphics/utf16.h"
#include "host/host_glyphs.h"
#include "support/test_glyphs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using qor::test::canvas;
using qor::test::rgba;
using qor::test::scoped_test_glyphs;

namespace {

std::vector<uint16_t> utf16(const char* text) {
    std::vector<uint16_t> out(qor::gfx::utf16_length(text));
    qor::gfx::utf8_to_utf16(text, out.data());
    return out;
}

} // namespace

// Where glyph boxes land (the test glyphs are solid boxes, s/2 wide and s
// high at pen + 1): colour alpha is ignored, size 0 and below mean 12, a line
// feed moves down 15 + 2 and back, space, CR, a unit the rasteriser fails on
// and each half of a surrogate pair move by the average width or the cell,
// and boxes are cut at the framebuffer's edges.
TEST(Text, GlyphBoxesLandWhereThePenIs) {
    scoped_test_glyphs glyphs;
    const struct {
        const char* text;
        qor_point at;
        int size;
        std::vector<qor_rect> boxes;
    } rows[] = {
        {"", {0, 0}, 12, {}},
        {"A", {10, 5}, 12, {{11, 5, 6, 12}}},
        {"A", {10, 5}, 0, {{11, 5, 6, 12}}},
        {"A", {10, 5}, -4, {{11, 5, 6, 12}}},
        {"A\nB\n", {3, 2}, 12, {{4, 2, 6, 12}, {4, 19, 6, 12}}},
        {"A \r\xEF\xBF\xBF"
         "A",
         {0, 0},
         12,
         {{1, 0, 6, 12}, {1 + 8 + 18, 0, 6, 12}}},
        {"\xF0\x9F\x98\x80"
         "A",
         {0, 0},
         12,
         {{1, 0, 6, 12}, {9, 0, 6, 12}, {17, 0, 6, 12}}},
        {"\xE4\xB8\xAD", {-4, -3}, 10, {{0, 0, 6, 7}}}, // a wide glyph, 10 x 10
        {"AAAA\nAAAA", {INT32_MAX - 3, 0}, 12, {}},
        {"AAAA\nAAAA", {INT32_MIN, INT32_MIN}, 12, {}},
        {"AAAA\nAAAA", {0, INT32_MAX}, 12, {}},
    };
    for (const auto& row : rows) {
        canvas c(60, 40), expect(60, 40);
        ASSERT_EQ(qor_graphics_draw_text(c.ctx, row.text, row.at, rgba(0x00123456), row.size),
                  QOR_OK);
        for (const qor_rect& box : row.boxes)
            qor_graphics_fill_rect(expect.ctx, &box, rgba(0xFF123456));
        EXPECT_EQ(c.pixels(), expect.pixels()) << row.text << " at " << row.at.x;
    }
    canvas c(8, 8);
    EXPECT_EQ(qor_graphics_draw_text(c.ctx, nullptr, {0, 0}, rgba(0xFFFFFFFF), 12),
              QOR_ERR_GRAPHICS);
    c.ctx->valid = 2;
    EXPECT_EQ(qor_graphics_draw_text(c.ctx, "A", {0, 0}, rgba(0xFFFFFFFF), 12), QOR_ERR_GRAPHICS);
    c.ctx->valid = 1;
    EXPECT_EQ(c.pixels(), std::vector<uint32_t>(64, 0xFF000000u));
}

TEST(Text, CoverageLevelsBlendByThe65LevelWeights) {
    scoped_test_glyphs glyphs;
    canvas half(20, 20);
    qor_graphics_draw_text(half.ctx, "h", {0, 0}, rgba(0x00FF0000), 12);
    EXPECT_EQ(half.at(1, 0), 0xFF7F0000u); // coverage 32 -> weight 127

    canvas ramp(20, 20);
    ramp.fill_pattern(5);
    for (int x = 0; x < 20; ++x)
        ramp.ctx->framebuffer[x * 4 + 3] = 9; // odd alpha, row 0
    const auto before = ramp.pixels();
    qor_graphics_draw_text(ramp.ctx, "g", {0, 0}, rgba(0x0040C0E0), 12);
    for (int level = 0; level <= 64; ++level) {
        const int x = level % 13, y = level / 13;
        const uint32_t old = before[y * 20 + x];
        const uint32_t weight = (static_cast<uint32_t>(level) * 255) >> 6;
        const uint32_t want =
            level == 0 ? old : qor::test::blend_once(old, 0x40C0E0u | weight << 24);
        EXPECT_EQ(ramp.at(x, y), want) << "coverage " << level;
    }
}

TEST(Utf16, ConvertsAndReplacesInvalidSequences) {
    EXPECT_EQ(utf16("A\xC3\xA9\xE4\xB8\xAD"), (std::vector<uint16_t>{0x41, 0xE9, 0x4E2D}));
    EXPECT_EQ(utf16("\xF0\x9F\x98\x80"), (std::vector<uint16_t>{0xD83D, 0xDE00}));
    EXPECT_EQ(utf16("\xC3"), (std::vector<uint16_t>{0xFFFD})); // cut short by the end
    EXPECT_EQ(utf16("\xE4\xB8"), (std::vector<uint16_t>{0xFFFD}));
    EXPECT_EQ(utf16("\xC0\xAF"), (std::vector<uint16_t>{0xFFFD, 0xFFFD}));             // overlong
    EXPECT_EQ(utf16("\xED\xA0\x80"), (std::vector<uint16_t>{0xFFFD, 0xFFFD, 0xFFFD})); // surrogate
    EXPECT_EQ(utf16("\xF4\x90\x80\x80"), (std::vector<uint16_t>(4, 0xFFFD))); // above U+10FFFF
    EXPECT_EQ(utf16("\xF0\x8F\xBF\xBF"), (std::vector<uint16_t>(4, 0xFFFD))); // overlong
    EXPECT_EQ(utf16("\xF1\x80\x80\x80"), (std::vector<uint16_t>{0xD8C0, 0xDC00}));
    EXPECT_EQ(utf16("\xF0\x9F\x98"
                    "A"),
              (std::vector<uint16_t>{0xFFFD, 0x41}));
    EXPECT_EQ(utf16("\xFF\x80"
                    "b"),
              (std::vector<uint16_t>{0xFFFD, 0xFFFD, 0x62}));
    // The terminator inside a sequence ends the text: nothing after it is read.
    const char cut[] = {'\xE4', '\0', '\xB8', '\xAD', '\0'};
    EXPECT_EQ(utf16(cut), (std::vector<uint16_t>{0xFFFD}));
}

TEST(GlyphCache, SecondDrawAsksTheSourceNothing) {
    scoped_test_glyphs glyphs;
    canvas c(100, 40);
    qor_graphics_draw_text(c.ctx, "AB\xE4\xB8\xAD", {0, 0}, rgba(0xFFFFFFFF), 14);
    const int after_first = qor::test::test_glyph_requests();
    qor_graphics_draw_text(c.ctx, "BA\xE4\xB8\xAD", {0, 20}, rgba(0xFFFFFFFF), 14);
    EXPECT_EQ(qor::test::test_glyph_requests(), after_first);
    qor_graphics_draw_text(c.ctx, "A", {0, 0}, rgba(0xFFFFFFFF), 16); // another size
    EXPECT_EQ(qor::test::test_glyph_requests(), after_first + 1);
}

// The real face: it must hold Chinese and Latin, and blank units move by the
// average width. (That the cache changes no pixel is checked with two threads.)
TEST(SystemFace, CoversChineseAndLatin) {
    ASSERT_FALSE(qor::host::glyph_face_file().empty());
    qor::host::glyph_image image;
    for (uint16_t unit : {u'A', u'g', u'\u4E2D', u'\u6587'}) {
        ASSERT_EQ(qor::host::glyph_rasterise(12, unit, &image), qor::host::glyph_result::bitmap)
            << unit;
        EXPECT_GT(image.black_box_x, 0);
        EXPECT_EQ(image.stride, (image.black_box_x + 3) / 4 * 4);
        for (uint8_t v : image.coverage)
            ASSERT_LE(v, 64);
    }
    EXPECT_EQ(qor::host::glyph_rasterise(12, u' ', &image), qor::host::glyph_result::no_bitmap);
    qor::host::font_metrics m;
    ASSERT_TRUE(qor::host::glyph_font_metrics(12, &m));
    EXPECT_GE(m.ascent, 9);
    EXPECT_GT(m.height, m.ascent);
    EXPECT_GT(m.average_char_width, 0);

    canvas spaced(80, 20), plain(80, 20);
    qor_graphics_draw_text(spaced.ctx, " X", {2, 2}, rgba(0xFFFFFFFF), 12);
    qor_graphics_draw_text(plain.ctx, "X", {2 + m.average_char_width, 2}, rgba(0xFFFFFFFF), 12);
    EXPECT_EQ(spaced.pixels(), plain.pixels());
}
