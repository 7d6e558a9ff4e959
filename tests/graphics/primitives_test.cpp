// Points, lines, rectangles and the blend rule, pixel for pixel.
#include "canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>

using qor::test::canvas;
using qor::test::reference;
using qor::test::rgba;

namespace {

using point_set = std::set<std::pair<int, int>>;

// Pixels that differ from the opaque-black start.
point_set painted(const canvas& c) {
    point_set out;
    for (int y = 0; y < c.ctx->height; ++y)
        for (int x = 0; x < c.ctx->width; ++x)
            if (c.at(x, y) != 0xFF000000u) out.insert({x, y});
    return out;
}

} // namespace

TEST(BlendRule, TranslucentBlendsTruncatingAndAlphaZeroTouchesNothing) {
    canvas c(4, 1);
    EXPECT_EQ(qor_graphics_draw_point(c.ctx, {0, 0}, rgba(0x80FF0000)), QOR_OK);
    EXPECT_EQ(c.at(0, 0), 0xFF800000u);

    c.ctx->framebuffer[4 + 3] = 7; // an odd alpha byte must survive alpha 0
    EXPECT_EQ(qor_graphics_draw_point(c.ctx, {1, 0}, rgba(0x00FFFFFF)), QOR_OK);
    EXPECT_EQ(c.at(1, 0), 0x07000000u);

    EXPECT_EQ(qor_graphics_draw_point(c.ctx, {2, 0}, rgba(0xFF3232C8)), QOR_OK);
    EXPECT_EQ(c.at(2, 0), 0xFF3232C8u);
    // Truncation, not rounding: (255*1 + 1*254)/255 = 1.99 -> 1; (255*2 + 1*253)/255 -> 2.
    qor_graphics_draw_point(c.ctx, {3, 0}, rgba(0xFF010101));
    qor_graphics_draw_point(c.ctx, {3, 0}, rgba(0x01FFFFFF));
    EXPECT_EQ(c.at(3, 0), 0xFF010101u);
    qor_graphics_draw_point(c.ctx, {3, 0}, rgba(0x02FFFFFF));
    EXPECT_EQ(c.at(3, 0), 0xFF020202u);
}

TEST(Points, OutsideTheFramebufferPaintNothing) {
    canvas c(8, 4);
    for (qor_point p : {qor_point{-1, 0}, qor_point{8, 0}, qor_point{0, 4}, qor_point{0, -1},
                        qor_point{INT_MAX, INT_MIN}}) {
        EXPECT_EQ(qor_graphics_draw_point(c.ctx, p, rgba(0xFFFFFFFF)), QOR_OK);
    }
    EXPECT_TRUE(painted(c).empty());
}

TEST(Lines, DocumentedWalksAndEndpoints) {
    const struct {
        qor_point from, to;
        point_set pixels;
    } rows[] = {{{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
                {{0, 0}, {2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
                {{5, 3}, {0, 3}, {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}},
                {{7, 9}, {7, 9}, {{7, 9}}}};
    for (const auto& row : rows) {
        canvas c(16, 16);
        qor_graphics_draw_line(c.ctx, row.from, row.to, rgba(0xFFFFFFFF));
        EXPECT_EQ(painted(c), row.pixels) << row.to.x << "," << row.to.y;
    }
}

// Translucent colour: a pixel visited twice would show, so this also proves
// each pixel of the walk is painted exactly once, in every octant, with ends
// inside and far outside the framebuffer.
TEST(Lines, MatchTheLiteralWalkInEveryOctantAndWhenClipped) {
    std::mt19937 random(42);
    for (int round = 0; round < 600; ++round) {
        canvas c(37, 23);
        c.fill_pattern(round);
        reference ref(c);
        const int spread = round < 300 ? 60 : 4000000;
        std::uniform_int_distribution<int> coord(-spread, spread);
        const qor_point a{coord(random) % 80 + 10, coord(random) % 60 + 10};
        const qor_point b{coord(random), coord(random)};
        const uint32_t color = 0x90000000u | (random() & 0xFFFFFF);
        const std::vector<uint32_t> before = c.pixels();
        const qor_rect clip{static_cast<int>(random() % 40) - 3,
                            static_cast<int>(random() % 26) - 3, static_cast<int>(random() % 30),
                            static_cast<int>(random() % 20)};
        if (round % 3 == 0) qor_graphics_set_clip(c.ctx, &clip, nullptr); // a clip box too
        ASSERT_EQ(qor_graphics_draw_line(c.ctx, a, b, rgba(color)), QOR_OK);
        ref.line(a.x, a.y, b.x, b.y, color);
        if (round % 3 == 0) ref.clip_to(clip, before);
        ASSERT_EQ(c.pixels(), ref.px) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

TEST(Lines, ExtremeCoordinatesStaySafeAndExact) {
    canvas c(50, 50);
    qor_graphics_draw_line(c.ctx, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, rgba(0xFFFFFFFF));
    point_set diagonal;
    for (int i = 0; i < 50; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(painted(c), diagonal);

    canvas d(50, 50);
    qor_graphics_draw_line(d.ctx, {INT_MAX, 0}, {INT_MIN, 0}, rgba(0xFFFFFFFF));
    qor_graphics_draw_line(d.ctx, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, rgba(0xFFFFFFFF));
    qor_graphics_draw_line(d.ctx, {INT_MIN, 7}, {INT_MAX, 9}, rgba(0xFFFFFFFF));
    EXPECT_EQ(d.at(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(d.at(49, 0), 0xFFFFFFFFu);
}

TEST(Rects, OutlineVisitsCornersTwiceAndAcceptsAnySize) {
    canvas c(10, 10);
    const qor_rect r{2, 3, 4, 3};
    qor_graphics_draw_rect(c.ctx, &r, rgba(0x80FF0000));
    const uint32_t once = 0xFF800000u, twice = 0xFFBF0000u; // 128, then (255*128+128*127)/255
    for (int x = 2; x <= 5; ++x) {
        for (int y : {3, 5})
            EXPECT_EQ(c.at(x, y), (x == 2 || x == 5) ? twice : once) << x << y;
    }
    EXPECT_EQ(c.at(2, 4), once);
    EXPECT_EQ(c.at(5, 4), once);
    EXPECT_EQ(c.at(3, 4), 0xFF000000u);

    for (qor_rect odd : {qor_rect{4, 4, 0, 0}, qor_rect{4, 4, -2, 1}, qor_rect{4, 4, 1, -3}}) {
        canvas o(10, 10);
        reference ref(o);
        qor_graphics_draw_rect(o.ctx, &odd, rgba(0x80FF0000));
        const int R = odd.x + odd.w - 1, B = odd.y + odd.h - 1;
        ref.line(odd.x, odd.y, R, odd.y, 0x80FF0000);
        ref.line(R, odd.y, R, B, 0x80FF0000);
        ref.line(R, B, odd.x, B, 0x80FF0000);
        ref.line(odd.x, B, odd.x, odd.y, 0x80FF0000);
        EXPECT_EQ(o.pixels(), ref.px) << odd.w << "x" << odd.h;
    }

    canvas far(10, 10);
    const qor_rect huge{-5, -5, INT_MAX, INT_MAX};
    EXPECT_EQ(qor_graphics_draw_rect(far.ctx, &huge, rgba(0xFFFFFFFF)), QOR_OK);
    EXPECT_TRUE(painted(far).empty());
    const qor_rect edge{INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX};
    EXPECT_EQ(qor_graphics_draw_rect(far.ctx, &edge, rgba(0xFFFFFFFF)), QOR_OK);
    EXPECT_TRUE(painted(far).empty());
}

TEST(Rects, FillClipsOnceAndSkipsEmpty) {
    canvas c(8, 4);
    const qor_rect left{-5, 0, 10, 1};
    qor_graphics_fill_rect(c.ctx, &left, rgba(0xFF00FF00));
    EXPECT_EQ(painted(c), (point_set{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));

    canvas d(8, 4);
    for (qor_rect none : {qor_rect{-5, 0, 3, 4}, qor_rect{8, 0, 5, 5}, qor_rect{0, 0, 0, 4},
                          qor_rect{2, 2, -4, -4}, qor_rect{INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                          qor_rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}}) {
        EXPECT_EQ(qor_graphics_fill_rect(d.ctx, &none, rgba(0xFFFFFFFF)), QOR_OK);
    }
    EXPECT_TRUE(painted(d).empty());

    const qor_rect everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX}; // ends at -2, still nothing
    qor_graphics_fill_rect(d.ctx, &everything, rgba(0xFFFFFFFF));
    const qor_rect all{-1000, -1000, INT_MAX, INT_MAX};
    qor_graphics_fill_rect(d.ctx, &all, rgba(0x80FF0000));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(d.at(x, y), 0xFF800000u);

    EXPECT_EQ(qor_graphics_fill_rect(d.ctx, nullptr, rgba(0xFFFFFFFF)), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_graphics_draw_rect(d.ctx, nullptr, rgba(0xFFFFFFFF)), QOR_ERR_INVALID_ARG);
}

TEST(Clear, OpaqueTranslucentAndTransparent) {
    canvas c(3, 2);
    EXPECT_EQ(qor_graphics_clear(c.ctx, rgba(0x00FFFFFF)), QOR_OK);
    EXPECT_EQ(c.at(2, 1), 0xFF000000u);
    qor_graphics_clear(c.ctx, rgba(0x80FF0000));
    EXPECT_EQ(c.at(2, 1), 0xFF800000u);
    qor_graphics_clear(c.ctx, rgba(0xFF123456));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(c.at(x, y), 0xFF123456u);
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
}
