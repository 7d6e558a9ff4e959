// The integer line walk (all octants, strict comparisons), started where it
// enters the clip box instead of at its first end.
//
// The walk moves one step along its major axis (the longer of dx, dy) on every
// iteration. After u major steps it has taken exactly
//     v(u) = ceil((2*u*minor - major) / (2*major))
// minor steps, and its error term is dx - dy - xsteps*dy + ysteps*dx. So the
// state at the first visible major coordinate can be computed directly and the
// ordinary walk resumed from there: the pixels are those of the full walk, and
// a line between far-away points costs no more than the framebuffer's size.
#include "graphics/paint.h"

#include <algorithm>
#include <cstdlib>

namespace qor::gfx {
namespace {

using wide = __int128;

int64_t ceil_div(wide numerator, wide denominator) {
    wide q = numerator / denominator; // truncates toward zero; denominator > 0
    if (numerator % denominator != 0 && numerator > 0) ++q;
    return static_cast<int64_t>(q);
}

} // namespace

void paint_line(const qor_context* ctx, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                uint32_t color) {
    if (y0 == y1) {
        // A horizontal walk covers every column between its ends once.
        paint_row_span(ctx, y0, x0, x1, color);
        return;
    }
    const int64_t dx = std::llabs(x1 - x0);
    const int64_t dy = std::llabs(y1 - y0);
    const int64_t sx = x0 < x1 ? 1 : -1;
    const int64_t sy = y0 < y1 ? 1 : -1;

    const bool x_major = dx >= dy;
    const int64_t major = x_major ? dx : dy;
    const int64_t minor = x_major ? dy : dx;
    const int64_t major_from = x_major ? x0 : y0;
    const int64_t major_sign = x_major ? sx : sy;
    const int64_t major_low = x_major ? ctx->clip_left : ctx->clip_top;
    const int64_t major_high = (x_major ? ctx->clip_right : ctx->clip_bottom) - 1;

    // Major steps whose coordinate lies inside major_low .. major_high.
    int64_t first_step, last_step;
    if (major_sign > 0) {
        first_step = std::max<int64_t>(0, major_low - major_from);
        last_step = std::min<int64_t>(major, major_high - major_from);
    } else {
        first_step = std::max<int64_t>(0, major_from - major_high);
        last_step = std::min<int64_t>(major, major_from - major_low);
    }
    if (first_step > last_step) return;

    const int64_t minor_steps = ceil_div(wide{2} * first_step * minor - major, wide{2} * major);
    const int64_t x_steps = x_major ? first_step : minor_steps;
    const int64_t y_steps = x_major ? minor_steps : first_step;
    int64_t x = x0 + sx * x_steps;
    int64_t y = y0 + sy * y_steps;
    int64_t err = static_cast<int64_t>(wide{dx} - dy - wide{x_steps} * dy + wide{y_steps} * dx);

    for (int64_t step = first_step; step <= last_step; ++step) {
        paint_pixel(ctx, x, y, color);
        const int64_t e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace qor::gfx
