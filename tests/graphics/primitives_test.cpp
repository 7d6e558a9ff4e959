// Points, lines, rectangles and triangle outlines against the literal
// integer line walk, the blend rule, and refusals.
#include "canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

using qor::test::canvas;
using qor::test::reference;
using qor::test::rgba;

TEST(BlendRule, TranslucentBlendsTruncatingAndAlphaZeroTouchesNothing) {
    const struct {
        uint32_t old, color, result;
    } rows[] = {
        {0xFF000000, 0x80FF0000, 0xFF800000},
        {0x07000000, 0x00FFFFFF, 0x07000000},
        {0xFF000000, 0xFF3232C8, 0xFF3232C8},
        // Truncation, not rounding: (255*1 + 1*254)/255 = 1.99 -> 1; (255*2 + 2*253)/255 -> 2.
        {0xFF010101, 0x01FFFFFF, 0xFF010101},
        {0xFF010101, 0x02FFFFFF, 0xFF020202},
    };
    for (const auto& row : rows) {
        canvas c(1, 1);
        std::memcpy(c.ctx->framebuffer, &row.old, 4);
        EXPECT_EQ(qor_graphics_draw_point(c.ctx, {0, 0}, rgba(row.color)), QOR_OK);
        EXPECT_EQ(c.at(0, 0), row.result) << std::hex << row.color;
    }
}

// Translucent colours: a pixel visited twice would show, so this also proves
// each pixel of the walk is painted exactly once, in every octant, with ends
// inside and far outside the framebuffer, under a clip box every third round.
// A rectangle outline is four lines meeting at the corners, a triangle three.
TEST(Outlines, MatchTheLiteralWalkInEveryOctantAndWhenClipped) {
    using draw = std::function<void(qor_context*, reference&, qor_point, qor_point, uint32_t)>;
    const std::pair<const char*, draw> shapes[] = {
        {"line",
         [](qor_context* ctx, reference& ref, qor_point a, qor_point b, uint32_t color) {
             ASSERT_EQ(qor_graphics_draw_line(ctx, a, b, rgba(color)), QOR_OK);
             ref.line(a.x, a.y, b.x, b.y, color);
         }},
        {"rect",
         [](qor_context* ctx, reference& ref, qor_point a, qor_point b, uint32_t color) {
             const qor_rect r{a.x % 30, a.y % 20, (b.x - a.x) % 50, (b.y - a.y) % 40};
             ASSERT_EQ(qor_graphics_draw_rect(ctx, &r, rgba(color)), QOR_OK);
             const int64_t R = r.x + r.w - 1, B = r.y + r.h - 1;
             ref.line(r.x, r.y, R, r.y, color);
             ref.line(R, r.y, R, B, color);
             ref.line(R, B, r.x, B, color);
             ref.line(r.x, B, r.x, r.y, color);
         }},
        {"triangle",
         [](qor_context* ctx, reference& ref, qor_point a, qor_point b, uint32_t color) {
             const qor_point m{(a.x + b.y) / 2, (b.x - a.y) / 2};
             ASSERT_EQ(qor_graphics_draw_triangle(ctx, a, b, m, rgba(color)), QOR_OK);
             ref.line(a.x, a.y, b.x, b.y, color);
             ref.line(b.x, b.y, m.x, m.y, color);
             ref.line(m.x, m.y, a.x, a.y, color);
         }},
    };
    std::mt19937 random(42);
    for (const auto& [name, shape] : shapes) {
        for (int round = 0; round < 600; ++round) {
            canvas c(37, 23);
            c.fill_pattern(round);
            reference ref(c);
            const int spread = round < 300 || name != std::string("line") ? 60 : 4000000;
            std::uniform_int_distribution<int> coord(-spread, spread);
            const qor_point a{coord(random) % 80 + 10, coord(random) % 60 + 10};
            const qor_point b{coord(random), coord(random)};
            const uint32_t color = 0x90000000u | (random() & 0xFFFFFF);
            const std::vector<uint32_t> before = c.pixels();
            const qor_rect clip{static_cast<int>(random() % 40) - 3,
                                static_cast<int>(random() % 26) - 3,
                                static_cast<int>(random() % 30), static_cast<int>(random() % 20)};
            if (round % 3 == 0) qor_graphics_set_clip(c.ctx, &clip, nullptr);
            shape(c.ctx, ref, a, b, color);
            if (round % 3 == 0) ref.clip_to(clip, before);
            ASSERT_EQ(c.pixels(), ref.px)
                << name << " " << a.x << "," << a.y << " -> " << b.x << "," << b.y;
        }
    }
}

// Filled rectangles cover columns x .. x+w-1 and rows y .. y+h-1 worked out
// without overflow, once each; nothing when empty or outside.
TEST(Rects, FillCoversTheRectangleOnceAtAnyPlaceAndSize) {
    std::mt19937 random(8);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1000, -5, 0, 3, 8, INT_MAX - 1, INT_MAX};
    auto pick = [&](int lo, int hi) {
        return random() % 4 == 0 ? extremes[random() % 9]
                                 : static_cast<int>(random() % (hi - lo + 1)) + lo;
    };
    for (int round = 0; round < 2000; ++round) {
        canvas c(8, 4);
        c.fill_pattern(round);
        reference ref(c);
        const qor_rect r{pick(-6, 10), pick(-6, 6), pick(-4, 14), pick(-4, 10)};
        ASSERT_EQ(qor_graphics_fill_rect(c.ctx, &r, rgba(0x80FF0000)), QOR_OK);
        for (int64_t y = std::max<int64_t>(r.y, 0); y < int64_t{r.y} + r.h && y < 4; ++y)
            for (int64_t x = std::max<int64_t>(r.x, 0); x < int64_t{r.x} + r.w && x < 8; ++x)
                ref.paint(x, y, 0x80FF0000);
        ASSERT_EQ(c.pixels(), ref.px) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
}

TEST(Extremes, FarCoordinatesStaySafeAndExact) {
    canvas c(50, 50);
    qor_graphics_draw_line(c.ctx, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, rgba(0xFFFFFFFF));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(c.at(x, y), x == y ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;

    canvas d(50, 50);
    qor_graphics_draw_line(d.ctx, {INT_MAX, 0}, {INT_MIN, 0}, rgba(0xFFFFFFFF));
    qor_graphics_draw_line(d.ctx, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, rgba(0xFFFFFFFF));
    qor_graphics_draw_line(d.ctx, {INT_MIN, 7}, {INT_MAX, 9}, rgba(0xFFFFFFFF));
    EXPECT_EQ(d.at(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(d.at(49, 0), 0xFFFFFFFFu);

    // Outlines and points wholly outside paint nothing.
    canvas far(10, 10);
    const std::vector<uint32_t> untouched = far.pixels();
    for (qor_rect r :
         {qor_rect{-5, -5, INT_MAX, INT_MAX}, qor_rect{INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX}})
        EXPECT_EQ(qor_graphics_draw_rect(far.ctx, &r, rgba(0xFFFFFFFF)), QOR_OK);
    for (qor_point p : {qor_point{-1, 0}, qor_point{10, 0}, qor_point{0, 10}, qor_point{0, -1},
                        qor_point{INT_MAX, INT_MIN}})
        EXPECT_EQ(qor_graphics_draw_point(far.ctx, p, rgba(0xFFFFFFFF)), QOR_OK);
    EXPECT_EQ(far.pixels(), untouched);
}

TEST(Clear, OpaqueTranslucentAndTransparent) {
    canvas c(3, 2);
    EXPECT_EQ(qor_graphics_clear(c.ctx, rgba(0x00FFFFFF)), QOR_OK);
    EXPECT_EQ(c.at(2, 1), 0xFF000000u);
    qor_graphics_clear(c.ctx, rgba(0x80FF0000));
    EXPECT_EQ(c.at(2, 1), 0xFF800000u);
    qor_graphics_clear(c.ctx, rgba(0xFF123456));
    EXPECT_EQ(c.pixels(), std::vector<uint32_t>(6, 0xFF123456u));
}

TEST(InvalidContext, EveryOperationRefusesAndPaintsNothing) {
    canvas c(16, 16);
    c.ctx->valid = 0;
    const auto before = c.pixels();
    const qor_rect r{0, 0, 16, 16};
    const qor_color w = rgba(0xFFFFFFFF);
    for (qor_context* ctx : {c.ctx, static_cast<qor_context*>(nullptr)}) {
        EXPECT_EQ(qor_graphics_clear(ctx, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_draw_point(ctx, {1, 1}, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_draw_line(ctx, {0, 0}, {9, 9}, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_draw_rect(ctx, &r, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_fill_rect(ctx, &r, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_draw_circle(ctx, {8, 8}, 4, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_fill_circle(ctx, {8, 8}, 4, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_draw_triangle(ctx, {0, 0}, {9, 0}, {0, 9}, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_fill_triangle(ctx, {0, 0}, {9, 0}, {0, 9}, w), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_gradient_fill(ctx, &r, w, w, true), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_draw_text(ctx, "A", {0, 0}, w, 12), QOR_ERR_GRAPHICS);
        EXPECT_EQ(qor_graphics_save_png(ctx, "never.png"), QOR_ERR_GRAPHICS);
    }
    c.ctx->valid = 1;
    EXPECT_EQ(c.pixels(), before);
    EXPECT_EQ(qor_graphics_fill_rect(c.ctx, nullptr, w), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_graphics_draw_rect(c.ctx, nullptr, w), QOR_ERR_INVALID_ARG);
}
