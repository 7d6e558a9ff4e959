// Circles, triangles and gradients, pixel for pixel.
#include "canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using qor::test::canvas;
using qor::test::reference;
using qor::test::rgba;

namespace {

constexpr uint32_t kHalfRed = 0x80FF0000u;

// How often a pixel was blended with half red: 0 -> 0, 1 -> 128, 2 -> 191, ...
int visits(uint32_t pixel) {
    int n = 0;
    for (uint32_t p = 0xFF000000u; p != pixel; p = qor::test::blend_once(p, kHalfRed)) {
        if (++n > 8) return -1;
    }
    return n;
}

} // namespace

TEST(Circles, SmallRadiiPaintTheDocumentedPixels) {
    canvas c(24, 24);
    qor_graphics_draw_circle(c.ctx, {10, 10}, 1, rgba(kHalfRed));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool on = (x == 10 && (y == 9 || y == 11)) || (y == 10 && (x == 9 || x == 11));
            EXPECT_EQ(visits(c.at(x, y)), on ? 4 : 0) << x << "," << y;
        }
    }

    canvas two(24, 24);
    qor_graphics_draw_circle(two.ctx, {10, 10}, 2, rgba(0xFFFFFFFF));
    canvas disc(24, 24);
    qor_graphics_fill_circle(disc.ctx, {10, 10}, 2, rgba(0xFFFFFFFF));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool ring = ((y == 8 || y == 12) && x >= 9 && x <= 11) ||
                              ((x == 8 || x == 12) && y >= 9 && y <= 11);
            const bool filled = ((y == 8 || y == 12) && x >= 9 && x <= 11) ||
                                (y >= 9 && y <= 11 && x >= 8 && x <= 12);
            EXPECT_EQ(two.at(x, y) == 0xFFFFFFFFu, ring) << x << "," << y;
            EXPECT_EQ(disc.at(x, y) == 0xFFFFFFFFu, filled) << x << "," << y;
        }
    }

    for (int radius : {0, -1, INT_MIN}) {
        canvas dot(8, 8);
        qor_graphics_fill_circle(dot.ctx, {3, 4}, radius, rgba(kHalfRed));
        qor_graphics_draw_circle(dot.ctx, {3, 4}, radius, rgba(kHalfRed));
        EXPECT_EQ(visits(dot.at(3, 4)), 2);
        EXPECT_EQ(visits(dot.at(4, 4)), 0);
    }
}

// Random centres (many partly or wholly outside) and radii against the literal
// walk: with a translucent colour every repeated visit has to match too. Every
// third round draws under a random clip rectangle.
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
        std::uniform_int_distribution<int> radius(1, limit), offset(-limit, limit);
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
}

TEST(Triangles, DocumentedFillsAndOutline) {
    canvas c(12, 12);
    qor_graphics_fill_triangle(c.ctx, {2, 2}, {8, 2}, {2, 8}, rgba(kHalfRed));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inside = y >= 2 && y <= 8 && x >= 2 && x <= 8 - (y - 2);
            // Row B.y = 2 is in both halves; the upper half's span there is (2, 2) alone.
            const int expected = !inside ? 0 : (x == 2 && y == 2 ? 2 : 1);
            EXPECT_EQ(visits(c.at(x, y)), expected) << x << "," << y;
        }
    }

    canvas flat(12, 12);
    qor_graphics_fill_triangle(flat.ctx, {1, 3}, {9, 3}, {5, 3}, rgba(kHalfRed));
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(visits(flat.at(x, 3)), x >= 1 && x <= 5 ? 1 : 0);

    canvas outline(12, 12);
    reference ref(outline);
    qor_graphics_draw_triangle(outline.ctx, {1, 1}, {10, 4}, {3, 9}, rgba(kHalfRed));
    ref.line(1, 1, 10, 4, kHalfRed);
    ref.line(10, 4, 3, 9, kHalfRed);
    ref.line(3, 9, 1, 1, kHalfRed);
    EXPECT_EQ(outline.pixels(), ref.px);
}

// Each vertex order and any row range: rows of the fill equal the span
// between the two edges of the documented formula, clipped.
TEST(Triangles, VertexOrderAndClippingFollowTheEdges) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> coord(-30, 60);
    for (int round = 0; round < 500; ++round) {
        canvas c(32, 24);
        reference ref(c);
        qor_point p[3];
        for (auto& v : p)
            v = {coord(random), coord(random)};
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

TEST(Gradients, TruncateAcrossTheVisibleExtent) {
    canvas c(3, 4);
    const qor_rect all{0, 0, 3, 4};
    qor_graphics_gradient_fill(c.ctx, &all, rgba(0xFF0000FF), rgba(0xFF000000), true);
    EXPECT_EQ(c.at(1, 0), 0xFF0000FFu);
    EXPECT_EQ(c.at(1, 1), 0xFF0000C0u);
    EXPECT_EQ(c.at(1, 2), 0xFF000080u);
    EXPECT_EQ(c.at(1, 3), 0xFF000040u);
    qor_graphics_gradient_fill(c.ctx, &all, rgba(0xFF000000), rgba(0xFF0000FF), true);
    EXPECT_EQ(c.at(2, 0) & 0xFF, 0u);
    EXPECT_EQ(c.at(2, 1) & 0xFF, 63u);
    EXPECT_EQ(c.at(2, 2) & 0xFF, 127u);
    EXPECT_EQ(c.at(2, 3) & 0xFF, 191u);

    canvas h(4, 2);
    const qor_rect above{-3, -10, 4 + 3, 100}; // visible columns 0..3, from at column 0
    qor_graphics_gradient_fill(h.ctx, &above, rgba(0xFF00FF00), rgba(0xFF000000), false);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(h.at(0, y), 0xFF00FF00u);
        EXPECT_EQ(h.at(1, y), 0xFF00C000u);
        EXPECT_EQ(h.at(3, y), 0xFF004000u);
    }
    const qor_rect none{5, 0, 3, 2};
    EXPECT_EQ(qor_graphics_gradient_fill(h.ctx, &none, rgba(0xFFFFFFFF), rgba(0), true), QOR_OK);
    EXPECT_EQ(qor_graphics_gradient_fill(h.ctx, nullptr, rgba(0), rgba(0), true),
              QOR_ERR_INVALID_ARG);
}

TEST(Gradients, InterpolatedAlphaFollowsThePixelRule) {
    for (bool vertical : {true, false}) {
        canvas c(5, 5);
        const qor_rect all{-2, -2, 100, 100};
        // Alpha runs 0, 51, 102, 153, 204 over the five visible rows or columns.
        qor_graphics_gradient_fill(c.ctx, &all, rgba(0x00FF0000), rgba(0xFFFF0000), vertical);
        for (int i = 0; i < 5; ++i) {
            const uint32_t expected =
                qor::test::blend_once(0xFF000000u, 0xFF0000u | (51u * i) << 24);
            EXPECT_EQ(vertical ? c.at(3, i) : c.at(i, 3), expected) << vertical << i;
        }
    }
}
