// Circles, triangles and gradients, pixel for pixel.
#include "canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using qor::test::canvas;
using qor::test::reference;
using qor::test::rgba;

constexpr uint32_t kHalfRed = 0x80FF0000u;

// Random centres (many partly or wholly outside) and radii against the literal
// walk: with a translucent colour every repeated visit has to match too. Every
// third round draws under a random clip rectangle. Radii of 0 and below
// paint the centre alone.
TEST(Circles, MatchTheLiteralWalkAtAnyPlaceAndSize) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> clip_corner(-5, 35), clip_size(0, 40);
    for (int round = 0; round < 600; ++round) {
        const bool filled = round % 2;
        canvas c(41, 29);
        c.fill_pattern(round);
        reference ref(c);
        const std::vector<uint32_t> before = c.pixels();
        const qor_rect clip{clip_corner(random), clip_corner(random), clip_size(random),
                            clip_size(random)};
        if (round % 3 == 0) qor_graphics_set_clip(c.ctx, &clip, nullptr);
        const int limit = round < 450 ? 60 : (filled ? 3000 : 300000);
        std::uniform_int_distribution<int> radius(-2, limit), offset(-limit, limit);
        const qor_point centre{20 + offset(random), 14 + offset(random)};
        const int r = radius(random);
        const uint32_t color = 0x70000000u | (random() & 0xFFFFFF);
        if (filled) {
            qor_graphics_fill_circle(c.ctx, centre, r, rgba(color));
        } else {
            qor_graphics_draw_circle(c.ctx, centre, r, rgba(color));
        }
        ref.circle(centre.x, centre.y, r, color, filled);
        if (round % 3 == 0) ref.clip_to(clip, before);
        ASSERT_EQ(c.pixels(), ref.px)
            << (filled ? "fill " : "ring ") << centre.x << "," << centre.y << " r=" << r;
    }
}

// Discs that leave the framebuffer at the top and the bottom, where the walk
// is resumed at the row just before the 45-degree crossover: that row must be
// blended as often as the full walk blends it, no more.
TEST(Circles, DiscsCutAtTopAndBottomBlendEachRowAsTheFullWalkDoes) {
    struct disc {
        int w, h, cx, cy, r;
    };
    std::vector<disc> discs = {{97, 61, 115, 16, 64}, {100, 22, 14, 6, 23}};
    std::mt19937 random(5);
    for (int i = 0; i < 3000; ++i) {
        const int w = 20 + random() % 100, h = 8 + random() % 60;
        const int r = h / 2 + random() % (2 * h);
        discs.push_back({w, h, static_cast<int>(random() % (w + 2 * r)) - r,
                         static_cast<int>(random() % h), r});
    }
    for (const disc& d : discs) {
        canvas c(d.w, d.h);
        c.fill_pattern(d.r);
        reference ref(c);
        qor_graphics_fill_circle(c.ctx, {d.cx, d.cy}, d.r, rgba(0x68C08040));
        ref.circle(d.cx, d.cy, d.r, 0x68C08040, true);
        ASSERT_EQ(c.pixels(), ref.px)
            << d.w << "x" << d.h << " " << d.cx << "," << d.cy << " r=" << d.r;
    }
}

TEST(Circles, HugeRadiiAreSafe) {
    canvas c(40, 30);
    EXPECT_EQ(qor_graphics_fill_circle(c.ctx, {20, 15}, INT_MAX, rgba(0xFFFFFFFF)), QOR_OK);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(c.at(x, y), 0xFFFFFFFFu);
    EXPECT_EQ(qor_graphics_draw_circle(c.ctx, {INT_MAX, INT_MIN}, INT_MAX, rgba(0xFF0000FF)),
              QOR_OK);
    EXPECT_EQ(qor_graphics_fill_circle(c.ctx, {INT_MIN, INT_MAX}, INT_MAX, rgba(0xFF0000FF)),
              QOR_OK);
    EXPECT_EQ(qor_graphics_draw_circle(c.ctx, {0, 0}, INT_MAX, rgba(0xFF0000FF)), QOR_OK);

    canvas dot(8, 8);
    reference ref(dot);
    qor_graphics_fill_circle(dot.ctx, {3, 4}, INT_MIN, rgba(kHalfRed));
    qor_graphics_draw_circle(dot.ctx, {3, 4}, INT_MIN, rgba(kHalfRed));
    ref.circle(3, 4, 0, kHalfRed, true);
    ref.circle(3, 4, 0, kHalfRed, false);
    EXPECT_EQ(dot.pixels(), ref.px);
}

// Each vertex order and any row range: rows of the fill equal the span
// between the two edges (x = s.x + (r - s.y) * (e.x - s.x) / (e.y - s.y),
// truncating), the row of the middle vertex in both halves, clipped. The
// first rounds are flat and corner cases.
TEST(Triangles, VertexOrderAndClippingFollowTheEdges) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> coord(-30, 60);
    for (int round = 0; round < 500; ++round) {
        canvas c(32, 24);
        reference ref(c);
        const qor_point fixed[][3] = {
            {{1, 3}, {9, 3}, {5, 3}}, {{2, 2}, {8, 2}, {2, 8}}, {{5, 9}, {5, 9}, {5, 9}}};
        qor_point p[3];
        for (int v = 0; v < 3; ++v)
            p[v] = round < 3 ? fixed[round][v] : qor_point{coord(random), coord(random)};
        const qor_rect clip{coord(random) / 2, coord(random) / 2, coord(random), coord(random)};
        if (round % 3 == 0) qor_graphics_set_clip(c.ctx, &clip, nullptr);
        qor_graphics_fill_triangle(c.ctx, p[0], p[1], p[2], rgba(kHalfRed));

        if (p[0].y == p[1].y && p[1].y == p[2].y) {
            ref.line(p[0].x, p[0].y, p[2].x, p[2].y, kHalfRed);
        } else {
            qor_point a = p[0], b = p[1], cc = p[2];
            if (a.y > b.y) std::swap(a, b);
            if (cc.y < b.y) std::swap(b, cc);
            if (b.y < a.y) std::swap(a, b);
            auto edge = [](qor_point s, qor_point e, int r) {
                return s.y == e.y ? s.x : s.x + ((r - s.y) * (e.x - s.x)) / (e.y - s.y);
            };
            for (int r = a.y; r <= b.y; ++r)
                ref.line(edge(a, b, r), r, edge(a, cc, r), r, kHalfRed);
            for (int r = b.y; r <= cc.y; ++r)
                ref.line(edge(b, cc, r), r, edge(a, cc, r), r, kHalfRed);
        }
        if (round % 3 == 0) ref.clip_to(clip, std::vector<uint32_t>(32 * 24, 0xFF000000u));
        ASSERT_EQ(c.pixels(), ref.px) << round;
    }
    canvas big(16, 16);
    EXPECT_EQ(qor_graphics_fill_triangle(big.ctx, {INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX},
                                         rgba(0xFFFFFFFF)),
              QOR_OK);
    EXPECT_EQ(big.at(8, 8), 0xFFFFFFFFu);
}

// Channel by channel, step i of the n visible rows (or columns) is
// from + i * (to - from) / n truncated toward zero, alpha included, blended by
// the pixel rule; a clip box limits which pixels change, not their colours.
// Wide rounds cross the horizontal path's chunk boundary.
TEST(Gradients, InterpolateAcrossTheVisibleExtent) {
    std::mt19937 random(13);
    for (int round = 0; round < 1500; ++round) {
        const bool vertical = round % 2, wide = round % 10 == 1;
        canvas c(wide ? 1100 : 9, wide ? 2 : 7);
        c.fill_pattern(round);
        reference ref(c);
        const std::vector<uint32_t> before = c.pixels();
        auto coord = [&](int size) { return static_cast<int>(random() % (3 * size)) - size; };
        const qor_rect r{coord(c.ctx->width), coord(c.ctx->height), coord(3 * c.ctx->width),
                         coord(3 * c.ctx->height)};
        const qor_rect clip{coord(c.ctx->width), coord(c.ctx->height), coord(3 * c.ctx->width),
                            coord(3 * c.ctx->height)};
        const uint32_t from = random() % 3 ? random() | 0xFF000000u : random();
        const uint32_t to = random() % 3 ? random() | 0xFF000000u : random();
        if (round % 3 == 0) qor_graphics_set_clip(c.ctx, &clip, nullptr);
        ASSERT_EQ(qor_graphics_gradient_fill(c.ctx, &r, rgba(from), rgba(to), vertical), QOR_OK);

        const int64_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
        const int64_t x1 = std::min<int64_t>(int64_t{r.x} + r.w, ref.w);
        const int64_t y1 = std::min<int64_t>(int64_t{r.y} + r.h, ref.h);
        for (int64_t y = y0; y < y1; ++y) {
            for (int64_t x = x0; x < x1; ++x) {
                const int64_t i = vertical ? y - y0 : x - x0, n = vertical ? y1 - y0 : x1 - x0;
                uint32_t color = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const int64_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
                    color |= static_cast<uint32_t>(a + i * (b - a) / n) << shift;
                }
                ref.paint(x, y, color);
            }
        }
        if (round % 3 == 0) ref.clip_to(clip, before);
        ASSERT_EQ(c.pixels(), ref.px) << round;
    }
    canvas c(4, 4);
    EXPECT_EQ(qor_graphics_gradient_fill(c.ctx, nullptr, rgba(0), rgba(0), true),
              QOR_ERR_INVALID_ARG);
}
