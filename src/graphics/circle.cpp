// Circle outlines and discs by the integer midpoint walk, visited only where
// the clip box can see them.
//
// While x < y, the walk (x = 0, y = r, d = 1 - r; while x < y: y drops when
// d >= 0) keeps y at the integer nearest to sqrt(r^2 - x^2), rounding half
// down:
//     y(x) = floor((isqrt(4 * (r^2 - x^2)) + 1) / 2),
// and d = (x+1)^2 + y^2 - y - r^2. Its last step, the first with x >= y, can
// land one row above that nearest integer (r = 64 ends at (46, 45), not 44),
// so the state at any x > 0 is taken from x - 1, where the closed form still
// holds, and advanced by one ordinary step. So the walk can be resumed at any
// x, and only the stretches of x whose points or rows are visible are stepped
// through, each x exactly once. Huge radii therefore cost about as much as
// the framebuffer's size, and every visited pixel is one the full walk paints.
#include "graphics/paint.h"
#include "graphics/pixel_rule.h"

#include <algorithm>
#include <cmath>

namespace {

using wide = __int128;
using qor::gfx::paint_pixel;
using qor::gfx::paint_row_span;

uint64_t isqrt(uint64_t n) {
    auto s = static_cast<uint64_t>(std::sqrt(static_cast<long double>(n)));
    while (wide{s} * s > n)
        --s;
    while (wide{s + 1} * (s + 1) <= n)
        ++s;
    return s;
}

struct circle {
    const qor_context* ctx;
    int64_t cx, cy, r;
    uint32_t color;
};

struct walk_state {
    int64_t x, y, d;
};

void advance(walk_state& s) {
    if (s.d >= 0) {
        s.d += 2 * (s.x - s.y) + 5;
        --s.y;
    } else {
        s.d += 2 * s.x + 3;
    }
    ++s.x;
}

// The closed form, exact while x < y.
walk_state closed_form(const circle& c, int64_t x) {
    const auto inside = static_cast<uint64_t>(4 * (wide{c.r} * c.r - wide{x} * x));
    const auto y = static_cast<int64_t>((isqrt(inside) + 1) / 2);
    return {x, y, static_cast<int64_t>(wide{x + 1} * (x + 1) + wide{y} * y - y - wide{c.r} * c.r)};
}

// The walk's state on reaching x (0 <= x <= its last x).
walk_state state_at(const circle& c, int64_t x) {
    if (x == 0) return {0, c.r, 1 - c.r};
    walk_state s = closed_form(c, x - 1);
    advance(s);
    return s;
}

int64_t walk_y(const circle& c, int64_t x) {
    return state_at(c, x).y;
}

// The walk's last x: the first x where x >= y.
int64_t last_walk_x(const circle& c) {
    int64_t lo = 0, hi = c.r;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (mid >= walk_y(c, mid)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

struct x_range {
    int64_t first, last;
};

// Steps x whose offset x, added to or taken from `center`, lands in
// low..high.
void add_offset_ranges(int64_t center, int64_t low, int64_t high, x_range* out, int* count) {
    out[(*count)++] = {low - center, high - center};
    out[(*count)++] = {center - high, center - low};
}

// Steps x whose y = walk_y(x), added to or taken from `center`, lands in
// low..high; y never grows with x, so each is one range found by bisection.
void add_walk_y_ranges(const circle& c, int64_t last_x, int64_t center, int64_t low, int64_t high,
                       x_range* out, int* count) {
    const x_range wanted_y[2] = {{low - center, high - center}, {center - high, center - low}};
    for (const x_range& ys : wanted_y) {
        int64_t lo = 0, hi = last_x + 1; // first x with y <= ys.last
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (walk_y(c, mid) <= ys.last)
                hi = mid;
            else
                lo = mid + 1;
        }
        const int64_t first = lo;
        lo = -1, hi = last_x; // last x with y >= ys.first
        while (lo < hi) {
            const int64_t mid = hi - (hi - lo) / 2;
            if (walk_y(c, mid) >= ys.first)
                lo = mid;
            else
                hi = mid - 1;
        }
        out[(*count)++] = {first, lo};
    }
}

// Merges the ranges (clipped to 0..last_x) so no x is stepped twice.
int merge_ranges(x_range* ranges, int count, int64_t last_x) {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const x_range clipped{std::max<int64_t>(ranges[i].first, 0),
                              std::min(ranges[i].last, last_x)};
        if (clipped.first <= clipped.last) ranges[kept++] = clipped;
    }
    for (int i = 1; i < kept; ++i) { // at most four: insertion sort by start
        for (int j = i; j > 0 && ranges[j].first < ranges[j - 1].first; --j) {
            std::swap(ranges[j], ranges[j - 1]);
        }
    }
    int merged = 0;
    for (int i = 0; i < kept; ++i) {
        if (merged > 0 && ranges[i].first <= ranges[merged - 1].last + 1) {
            ranges[merged - 1].last = std::max(ranges[merged - 1].last, ranges[i].last);
        } else {
            ranges[merged++] = ranges[i];
        }
    }
    return merged;
}

void plot_circle_points(const circle& c, int64_t x, int64_t y) {
    const qor_context* ctx = c.ctx;
    paint_pixel(ctx, c.cx + x, c.cy + y, c.color);
    paint_pixel(ctx, c.cx - x, c.cy + y, c.color);
    paint_pixel(ctx, c.cx + x, c.cy - y, c.color);
    paint_pixel(ctx, c.cx - x, c.cy - y, c.color);
    paint_pixel(ctx, c.cx + y, c.cy + x, c.color);
    paint_pixel(ctx, c.cx - y, c.cy + x, c.color);
    paint_pixel(ctx, c.cx + y, c.cy - x, c.color);
    paint_pixel(ctx, c.cx - y, c.cy - x, c.color);
}

void fill_circle_scanline(const circle& c, int64_t x, int64_t y) {
    const qor_context* ctx = c.ctx;
    paint_row_span(ctx, c.cy + y, c.cx - x, c.cx + x, c.color);
    if (y != 0) paint_row_span(ctx, c.cy - y, c.cx - x, c.cx + x, c.color);
    if (x == y) return;
    paint_row_span(ctx, c.cy + x, c.cx - y, c.cx + y, c.color);
    if (x != 0) paint_row_span(ctx, c.cy - x, c.cx - y, c.cx + y, c.color);
}

using step_function = void (*)(const circle&, int64_t, int64_t);

void walk_range(const circle& c, x_range range, step_function step) {
    walk_state s = state_at(c, range.first);
    step(c, s.x, s.y);
    while (s.x < range.last) {
        advance(s);
        step(c, s.x, s.y);
    }
}

int draw(qor_context* ctx, qor_point center, int radius, qor_color color, bool filled) {
    if (!qor::gfx::context_usable(ctx)) return QOR_ERR_GRAPHICS;
    const circle c{ctx, center.x, center.y, radius, qor::gfx::color_word(color)};
    if (radius <= 0) {
        paint_pixel(ctx, c.cx, c.cy, c.color);
        return QOR_OK;
    }
    const int64_t last_x = last_walk_x(c);
    x_range ranges[4];
    int count = 0;
    // Every step paints rows cy +- x (fill) or points at height cy +- x, and
    // either points at columns cx +- x (outline) or rows cy +- y (fill).
    const int64_t top = ctx->clip_top, bottom = ctx->clip_bottom - 1;
    add_offset_ranges(c.cy, top, bottom, ranges, &count);
    if (filled) {
        add_walk_y_ranges(c, last_x, c.cy, top, bottom, ranges, &count);
    } else {
        add_offset_ranges(c.cx, ctx->clip_left, ctx->clip_right - 1, ranges, &count);
    }
    count = merge_ranges(ranges, count, last_x);
    const step_function step = filled ? fill_circle_scanline : plot_circle_points;
    for (int i = 0; i < count; ++i)
        walk_range(c, ranges[i], step);
    return QOR_OK;
}

} // namespace

extern "C" int qor_graphics_draw_circle(qor_context* ctx, qor_point center, int radius,
                                        qor_color c) {
    return draw(ctx, center, radius, c, false);
}

extern "C" int qor_graphics_fill_circle(qor_context* ctx, qor_point center, int radius,
                                        qor_color c) {
    return draw(ctx, center, radius, c, true);
}
