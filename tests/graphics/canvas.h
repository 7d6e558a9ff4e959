// Test helpers: a context that cleans up after itself, pixel access, and a
// reference canvas painted by the literal walks, for pixel-exact comparisons.
#pragma once

#include <qoros/qor_graphics.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace qor::test {

inline qor_color rgba(uint32_t argb) {
    return {static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 8),
            static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 24)};
}

struct canvas {
    qor_context* ctx;
    canvas(int w, int h) : ctx(qor_graphics_create_context(w, h)) {}
    ~canvas() { qor_graphics_destroy_context(ctx); }
    canvas(const canvas&) = delete;
    canvas& operator=(const canvas&) = delete;

    // The pixel as 0xAARRGGBB.
    uint32_t at(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, ctx->framebuffer + y * ctx->pitch + x * 4, 4);
        return v;
    }
    std::vector<uint32_t> pixels() const {
        std::vector<uint32_t> out(static_cast<size_t>(ctx->width) * ctx->height);
        std::memcpy(out.data(), ctx->framebuffer, out.size() * 4);
        return out;
    }
    void fill_pattern(uint32_t seed);
};

// The blend written out channel by channel, as a user of the library would.
inline uint32_t blend_once(uint32_t old, uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 0) return old;
    uint32_t out = 0xFF000000u;
    for (int s = 0; s < 24; s += 8) {
        const uint32_t src = (argb >> s) & 0xFF, dst = (old >> s) & 0xFF;
        out |= ((src * a + dst * (255 - a)) / 255) << s;
    }
    return out;
}

// A framebuffer image painted by the literal algorithms.
struct reference {
    int w, h;
    std::vector<uint32_t> px;
    explicit reference(const canvas& c) : w(c.ctx->width), h(c.ctx->height), px(c.pixels()) {}
    void paint(int64_t x, int64_t y, uint32_t argb) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        uint32_t& p = px[static_cast<size_t>(y) * w + x];
        p = blend_once(p, argb);
    }
    // What a clip rectangle leaves: outside it, the pixels of `before`.
    void clip_to(const qor_rect& clip, const std::vector<uint32_t>& before) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h)
                    px[static_cast<size_t>(y) * w + x] = before[static_cast<size_t>(y) * w + x];
    }
    void line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t argb);
    void circle(int64_t cx, int64_t cy, int64_t r, uint32_t argb, bool filled);
};

} // namespace qor::test
