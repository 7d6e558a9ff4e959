#include "canvas.h"

#include <cstdlib>
#include <random>

namespace qor::test {

void canvas::fill_pattern(uint32_t seed) {
    std::mt19937 random(seed);
    for (int y = 0; y < ctx->height; ++y) {
        for (int x = 0; x < ctx->width; ++x) {
            const uint32_t v = random() | 0xFF000000u;
            std::memcpy(ctx->framebuffer + y * ctx->pitch + x * 4, &v, 4);
        }
    }
}

// The integer line walk written out: every point, start to end, no clipping.
void reference::line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t argb) {
    const int64_t dx = std::llabs(x1 - x0), ady = std::llabs(y1 - y0);
    const int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t err = dx - ady, x = x0, y = y0;
    for (;;) {
        paint(x, y, argb);
        if (x == x1 && y == y1) return;
        const int64_t e2 = 2 * err;
        if (e2 > -ady) {
            err -= ady;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

void reference::circle(int64_t cx, int64_t cy, int64_t r, uint32_t argb, bool filled) {
    if (r <= 0) {
        paint(cx, cy, argb);
        return;
    }
    auto step = [&](int64_t x, int64_t y) {
        if (filled) {
            line(cx - x, cy + y, cx + x, cy + y, argb);
            if (y != 0) line(cx - x, cy - y, cx + x, cy - y, argb);
            if (x == y) return;
            line(cx - y, cy + x, cx + y, cy + x, argb);
            if (x != 0) line(cx - y, cy - x, cx + y, cy - x, argb);
        } else {
            const int64_t pts[8][2] = {{cx + x, cy + y}, {cx - x, cy + y}, {cx + x, cy - y},
                                       {cx - x, cy - y}, {cx + y, cy + x}, {cx - y, cy + x},
                                       {cx + y, cy - x}, {cx - y, cy - x}};
            for (const auto& p : pts)
                paint(p[0], p[1], argb);
        }
    };
    int64_t x = 0, y = r, d = 1 - r;
    step(x, y);
    while (x < y) {
        if (d >= 0) {
            d += 2 * (x - y) + 5;
            --y;
        } else {
            d += 2 * x + 3;
        }
        ++x;
        step(x, y);
    }
}

} // namespace qor::test
