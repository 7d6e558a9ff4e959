// Portable row kernels: the reference the SIMD sets are measured against.
#include "graphics/pixel_rule.h"
#include "graphics/span_kernels.h"

namespace qor::gfx {
namespace {

void fill_scalar(uint32_t* dst, size_t n, uint32_t pixel) {
    for (size_t i = 0; i < n; ++i)
        dst[i] = pixel;
}

void blend_solid_scalar(uint32_t* dst, size_t n, uint32_t color) {
    for (size_t i = 0; i < n; ++i)
        dst[i] = apply_pixel_rule(dst[i], color);
}

void blend_coverage_scalar(uint32_t* dst, size_t n, uint32_t color, const uint8_t* alpha) {
    const uint32_t rgb = color & 0x00FFFFFFu;
    for (size_t i = 0; i < n; ++i)
        dst[i] = apply_pixel_rule(dst[i], rgb | uint32_t{alpha[i]} << 24);
}

void blend_colors_scalar(uint32_t* dst, size_t n, const uint32_t* colors) {
    for (size_t i = 0; i < n; ++i)
        dst[i] = apply_pixel_rule(dst[i], colors[i]);
}

constexpr span_kernels kScalar{"scalar", fill_scalar, blend_solid_scalar, blend_coverage_scalar,
                               blend_colors_scalar};

} // namespace

const span_kernels& scalar_span_kernels() {
    return kScalar;
}

} // namespace qor::gfx
