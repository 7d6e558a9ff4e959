// Row kernels: the inner loops of every fill, gradient and glyph blit. Each
// set computes exactly the pixel rule; the SIMD sets are chosen once at run
// time from what the processor supports and must match the scalar set bit for
// bit (the tests compare them).
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::gfx {

struct span_kernels {
    const char* name;
    // Stores `pixel` (alpha already 255) into n pixels.
    void (*fill)(uint32_t* dst, size_t n, uint32_t pixel);
    // Blends one colour whose alpha is 1..254 into n pixels.
    void (*blend_solid)(uint32_t* dst, size_t n, uint32_t color);
    // Pixel rule with the colour's blue, green, red and a per-pixel alpha.
    void (*blend_coverage)(uint32_t* dst, size_t n, uint32_t color, const uint8_t* alpha);
    // Pixel rule with a per-pixel colour, each with its own alpha.
    void (*blend_colors)(uint32_t* dst, size_t n, const uint32_t* colors);
};

const span_kernels& scalar_span_kernels();
// Null when the build or the processor lacks the instruction set.
const span_kernels* sse2_span_kernels();
const span_kernels* avx2_span_kernels();

// The fastest set this processor runs, picked on first use.
const span_kernels& active_span_kernels();

} // namespace qor::gfx
