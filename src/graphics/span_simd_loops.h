// The row loops shared by the SIMD kernel sets. Each set includes this file
// after switching the compiler to its instruction set and supplies an `Ops`
// type with the vector width, loads, stores and the exact per-block blend;
// pixels left over at the end of a row go through the scalar rule.
#pragma once

#include "graphics/pixel_rule.h"

#include <cstddef>
#include <cstdint>

namespace qor::gfx::simd {

template <class Ops> struct span_loops {
    static constexpr size_t kStep = Ops::kPixels;

    static void fill(uint32_t* dst, size_t n, uint32_t pixel) {
        const auto value = Ops::splat(pixel);
        size_t i = 0;
        for (; i + kStep <= n; i += kStep)
            Ops::store(dst + i, value);
        for (; i < n; ++i)
            dst[i] = pixel;
    }

    static void blend_solid(uint32_t* dst, size_t n, uint32_t color) {
        const auto prepared = Ops::prepare_solid(color);
        size_t i = 0;
        for (; i + kStep <= n; i += kStep) {
            Ops::store(dst + i, Ops::blend_solid(Ops::load(dst + i), prepared));
        }
        for (; i < n; ++i)
            dst[i] = apply_pixel_rule(dst[i], color);
    }

    static void blend_coverage(uint32_t* dst, size_t n, uint32_t color, const uint8_t* alpha) {
        const uint32_t rgb = color & 0x00FFFFFFu;
        const auto src = Ops::splat(rgb);
        size_t i = 0;
        for (; i + kStep <= n; i += kStep) {
            Ops::store(dst + i, Ops::blend(Ops::load(dst + i), src, Ops::load_alpha(alpha + i)));
        }
        for (; i < n; ++i)
            dst[i] = apply_pixel_rule(dst[i], rgb | uint32_t{alpha[i]} << 24);
    }

    static void blend_colors(uint32_t* dst, size_t n, const uint32_t* colors) {
        size_t i = 0;
        for (; i + kStep <= n; i += kStep) {
            const auto src = Ops::load(colors + i);
            Ops::store(dst + i, Ops::blend(Ops::load(dst + i), src, Ops::alpha_of(src)));
        }
        for (; i < n; ++i)
            dst[i] = apply_pixel_rule(dst[i], colors[i]);
    }
};

} // namespace qor::gfx::simd
