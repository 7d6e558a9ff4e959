// Clip rectangles: a clip masks an operation without changing what it paints
// inside, and measured text matches the drawing's own pen.
#include "canvas.h"
#include "support/test_glyphs.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

using qor::test::canvas;
using qor::test::rgba;

namespace {

using operation = std::function<void(qor_context*)>;

// Each primitive with random arguments around a w x h framebuffer, and text
// that crosses the edges mid-glyph. Colours are translucent so a pixel
// visited once more (or once less) than without the clip shows.
std::vector<std::pair<std::string, operation>> random_operations(std::mt19937& random, int w,
                                                                 int h) {
    std::uniform_int_distribution<int> x(-w / 2, w + w / 2), y(-h / 2, h + h / 2), size(1, 3 * w);
    const qor_color c = rgba(0x70000000u | (random() & 0xFFFFFF));
    const qor_color other = rgba(0x30000000u | (random() & 0xFFFFFF));
    const qor_point p{x(random), y(random)}, q{x(random), y(random)}, s{x(random), y(random)};
    const qor_rect r{x(random), y(random), size(random) - w, size(random) - h};
    const int radius = size(random) / 2;
    return {
        {"clear", [=](qor_context* ctx) { qor_graphics_clear(ctx, c); }},
        {"point", [=](qor_context* ctx) { qor_graphics_draw_point(ctx, p, c); }},
        {"line", [=](qor_context* ctx) { qor_graphics_draw_line(ctx, p, q, c); }},
        {"rect", [=](qor_context* ctx) { qor_graphics_draw_rect(ctx, &r, c); }},
        {"fill rect", [=](qor_context* ctx) { qor_graphics_fill_rect(ctx, &r, c); }},
        {"circle", [=](qor_context* ctx) { qor_graphics_draw_circle(ctx, p, radius, c); }},
        {"disc", [=](qor_context* ctx) { qor_graphics_fill_circle(ctx, p, radius, c); }},
        {"triangle", [=](qor_context* ctx) { qor_graphics_draw_triangle(ctx, p, q, s, c); }},
        {"fill triangle", [=](qor_context* ctx) { qor_graphics_fill_triangle(ctx, p, q, s, c); }},
        {"vertical gradient",
         [=](qor_context* ctx) { qor_graphics_gradient_fill(ctx, &r, c, other, true); }},
        {"horizontal gradient",
         [=](qor_context* ctx) { qor_graphics_gradient_fill(ctx, &r, other, c, false); }},
        {"text",
         [=](qor_context* ctx) {
             qor_graphics_draw_text(ctx, "Hg\xE4\xB8\x80h\nAg", p, c, radius % 20 + 4);
         }},
    };
}

} // namespace

TEST(Clip, MasksEveryOperationWithoutChangingWhatItPaints) {
    qor::test::scoped_test_glyphs glyphs;
    std::mt19937 random(11);
    constexpr int kW = 37, kH = 23;
    std::uniform_int_distribution<int> cx(-10, kW + 5), cy(-10, kH + 5), extent(-3, kW + 10);
    for (int round = 0; round < 150; ++round) {
        const qor_rect clip{cx(random), cy(random), extent(random), extent(random)};
        for (const auto& [name, draw] : random_operations(random, kW, kH)) {
            canvas plain(kW, kH), clipped(kW, kH);
            plain.fill_pattern(round);
            clipped.fill_pattern(round);
            const std::vector<uint32_t> before = plain.pixels();
            draw(plain.ctx);
            qor_rect previous{};
            ASSERT_EQ(qor_graphics_set_clip(clipped.ctx, &clip, &previous), QOR_OK);
            EXPECT_EQ(previous.w * 1000 + previous.h, kW * 1000 + kH); // none set before
            draw(clipped.ctx);
            for (int y = 0; y < kH; ++y) {
                for (int x = 0; x < kW; ++x) {
                    const bool inside =
                        x >= clip.x && x < clip.x + clip.w && y >= clip.y && y < clip.y + clip.h;
                    const uint32_t want = inside ? plain.at(x, y) : before[y * kW + x];
                    ASSERT_EQ(clipped.at(x, y), want)
                        << name << " round " << round << " at " << x << "," << y << " clip "
                        << clip.x << "," << clip.y << " " << clip.w << "x" << clip.h;
                }
            }
        }
    }
}

TEST(Clip, NestsRestoresAndRefusesInvalidContexts) {
    canvas c(20, 10);
    const qor_rect outer{2, 2, 30, 6}, inner{5, -4, 3, 20};
    qor_rect saved_outer{}, saved_inner{};
    qor_graphics_set_clip(c.ctx, &outer, &saved_outer);
    qor_graphics_set_clip(c.ctx, &inner, &saved_inner);
    // What was in effect comes back cut to the framebuffer.
    EXPECT_EQ(saved_inner.x + saved_inner.y * 100 + saved_inner.w * 10000, 2 + 200 + 180000);
    EXPECT_EQ(saved_inner.h, 6);
    qor_graphics_clear(c.ctx, rgba(0xFFFFFFFF)); // only columns 5..7, rows 0..9
    qor_graphics_set_clip(c.ctx, &saved_inner, nullptr);
    qor_graphics_clear(c.ctx, rgba(0xFF0000FF)); // columns 2..19, rows 2..7
    qor_graphics_set_clip(c.ctx, &saved_outer, nullptr);
    qor_graphics_draw_point(c.ctx, {0, 0}, rgba(0xFF00FF00));
    EXPECT_EQ(c.at(6, 0), 0xFFFFFFFFu);
    EXPECT_EQ(c.at(6, 2), 0xFF0000FFu);
    EXPECT_EQ(c.at(1, 2), 0xFF000000u);
    EXPECT_EQ(c.at(0, 0), 0xFF00FF00u);

    const qor_rect empty{4, 4, -2, 3};
    qor_graphics_set_clip(c.ctx, &empty, nullptr);
    const auto before = c.pixels();
    qor_graphics_clear(c.ctx, rgba(0xFF123456));
    qor_graphics_draw_text(c.ctx, "A", {0, 0}, rgba(0xFFFFFFFF), 12);
    EXPECT_EQ(c.pixels(), before);

    EXPECT_EQ(qor_graphics_set_clip(nullptr, &outer, nullptr), QOR_ERR_GRAPHICS);
    c.ctx->valid = 0;
    EXPECT_EQ(qor_graphics_set_clip(c.ctx, nullptr, nullptr), QOR_ERR_GRAPHICS);
    c.ctx->valid = 1;
}

// The measured width is where the drawing's pen ends: a glyph drawn there
// starts exactly where the same glyph appended to the text would.
TEST(MeasureText, EndsWhereTheDrawingsPenEnds) {
    qor::test::scoped_test_glyphs glyphs;
    const struct {
        const char* text;
        int size, width;
    } cases[] = {
        {"", 12, 0},
        {"A", 12, 8},                   // advance s/2 + 2
        {"A B", 12, 8 + 6 + 8},         // blank unit: average width s/2
        {"\xE4\xB8\x80g", 10, 11 + 14}, // wide glyph s + 1, 'g' 14
        {"AAA\nA", 0, 24},              // size 0 means 12; the widest line
        {"A\nAAAA\n", 12, 32},
    };
    for (const auto& t : cases) {
        EXPECT_EQ(qor_graphics_measure_text(t.text, t.size), t.width) << t.text;
        if (std::string(t.text).find('\n') != std::string::npos) continue;
        canvas joined(120, 20), apart(120, 20);
        qor_graphics_draw_text(joined.ctx, (std::string(t.text) + "h").c_str(), {3, 2},
                               rgba(0xFFFFFFFF), t.size);
        qor_graphics_draw_text(apart.ctx, t.text, {3, 2}, rgba(0xFFFFFFFF), t.size);
        qor_graphics_draw_text(apart.ctx, "h", {3 + t.width, 2}, rgba(0xFFFFFFFF), t.size);
        EXPECT_EQ(joined.pixels(), apart.pixels()) << t.text;
    }
    EXPECT_EQ(qor_graphics_measure_text(nullptr, 12), QOR_ERR_GRAPHICS);
}
