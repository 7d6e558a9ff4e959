// Filled triangles by horizontal spans between the long edge (top to bottom
// vertex) and the two short edges. Edge positions use 128-bit products, so
// any 32-bit vertices are exact; only rows inside the clip box are visited.
#include "graphics/paint.h"
#include "graphics/pixel_rule.h"

#include <algorithm>

namespace {

using wide = __int128;

struct vertex {
    int64_t x, y;
};

// x of the edge from a to b at row r (a.y != b.y), truncated toward zero.
int64_t edge_x(vertex a, vertex b, int64_t r) {
    return a.x + static_cast<int64_t>(wide{r - a.y} * (b.x - a.x) / (b.y - a.y));
}

// Rows first..last of one half: spans from the short edge to the long edge.
// Direction does not matter: a horizontal walk paints the same columns.
void fill_half(const qor_context* ctx, vertex top, vertex bottom, vertex long_top,
               vertex long_bottom, uint32_t color) {
    const int64_t first = std::max<int64_t>(top.y, ctx->clip_top);
    const int64_t last = std::min<int64_t>(bottom.y, ctx->clip_bottom - 1);
    for (int64_t r = first; r <= last; ++r) {
        const int64_t short_x = top.y == bottom.y ? top.x : edge_x(top, bottom, r);
        qor::gfx::paint_row_span(ctx, r, short_x, edge_x(long_top, long_bottom, r), color);
    }
}

} // namespace

extern "C" int qor_graphics_fill_triangle(qor_context* ctx, qor_point p0, qor_point p1,
                                          qor_point p2, qor_color c) {
    if (!qor::gfx::context_usable(ctx)) return QOR_ERR_GRAPHICS;
    const uint32_t color = qor::gfx::color_word(c);
    if (p0.y == p1.y && p1.y == p2.y) {
        qor::gfx::paint_line(ctx, p0.x, p0.y, p2.x, p2.y, color);
        return QOR_OK;
    }
    vertex a{p0.x, p0.y}, b{p1.x, p1.y}, cc{p2.x, p2.y};
    if (a.y > b.y) std::swap(a, b); // p0 stays first on equal y
    if (cc.y < b.y) {
        // p2 goes above b: between a and b, or above a.
        const vertex third = cc;
        cc = b;
        if (third.y >= a.y) {
            b = third;
        } else {
            b = a;
            a = third;
        }
    }
    // Row b.y belongs to both halves and is painted twice.
    fill_half(ctx, a, b, a, cc, color);
    fill_half(ctx, b, cc, a, cc, color);
    return QOR_OK;
}
