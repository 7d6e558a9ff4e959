// AVX2 row kernels: eight pixels per step, the same exact arithmetic as the
// SSE2 set. Unpacking and packing both work within 128-bit halves, so the
// per-pixel alpha is spread in the same half-wise order.
#include "graphics/span_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

// Everything except the kernels themselves is included before the target
// switch, so no shared inline code is compiled for the wider instruction set.
#include "graphics/pixel_rule.h"

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// clang ignores GCC's target pragma and takes a function attribute instead.
#ifdef __clang__
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
#include "graphics/span_simd_loops.h"

namespace qor::gfx {
namespace {

struct avx2_ops {
    using vec = __m256i;
    static constexpr size_t kPixels = 8;

    struct solid {
        __m256i premultiplied;
        __m256i inverse;
    };

    static __m256i load(const uint32_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void store(uint32_t* p, __m256i v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    }
    static void store_aligned(uint32_t* p, __m256i v) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
    }
    static __m256i splat(uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }

    static __m256i load_alpha(const uint8_t* p) {
        return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
    }
    static __m256i alpha_of(__m256i pixels) { return _mm256_srli_epi32(pixels, 24); }

    static __m256i div255(__m256i x) {
        return _mm256_srli_epi16(
            _mm256_mulhi_epu16(x, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
    }

    static solid prepare_solid(uint32_t color) {
        const uint32_t a = color >> 24;
        const __m256i channels =
            _mm256_unpacklo_epi8(splat(color & 0x00FFFFFFu), _mm256_setzero_si256());
        return {_mm256_mullo_epi16(channels, _mm256_set1_epi16(static_cast<short>(a))),
                _mm256_set1_epi16(static_cast<short>(255 - a))};
    }

    static __m256i blend_solid(__m256i old, const solid& s) {
        const __m256i zero = _mm256_setzero_si256();
        const __m256i lo = _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_unpacklo_epi8(old, zero), s.inverse), s.premultiplied);
        const __m256i hi = _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_unpackhi_epi8(old, zero), s.inverse), s.premultiplied);
        const __m256i packed = _mm256_packus_epi16(div255(lo), div255(hi));
        return _mm256_or_si256(packed, _mm256_set1_epi32(static_cast<int>(kOpaqueAlpha)));
    }

    static __m256i blend(__m256i old, __m256i src, __m256i alpha32) {
        const __m256i zero = _mm256_setzero_si256();
        const __m256i both_halves = _mm256_or_si256(alpha32, _mm256_slli_epi32(alpha32, 16));
        const __m256i a_lo = _mm256_unpacklo_epi32(both_halves, both_halves);
        const __m256i a_hi = _mm256_unpackhi_epi32(both_halves, both_halves);
        const __m256i c255 = _mm256_set1_epi16(255);
        const __m256i lo = _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_unpacklo_epi8(src, zero), a_lo),
            _mm256_mullo_epi16(_mm256_unpacklo_epi8(old, zero), _mm256_sub_epi16(c255, a_lo)));
        const __m256i hi = _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_unpackhi_epi8(src, zero), a_hi),
            _mm256_mullo_epi16(_mm256_unpackhi_epi8(old, zero), _mm256_sub_epi16(c255, a_hi)));
        const __m256i blended = _mm256_or_si256(_mm256_packus_epi16(div255(lo), div255(hi)),
                                                _mm256_set1_epi32(static_cast<int>(kOpaqueAlpha)));
        const __m256i keep_old = _mm256_cmpeq_epi32(alpha32, zero);
        return _mm256_blendv_epi8(blended, old, keep_old);
    }
};

using loops = simd::span_loops<avx2_ops>;
constexpr span_kernels kAvx2{"avx2", loops::fill, loops::blend_solid, loops::blend_coverage,
                             loops::blend_colors};

} // namespace
} // namespace qor::gfx

#ifdef __clang__
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace qor::gfx {
const span_kernels* avx2_span_kernels() {
    return __builtin_cpu_supports("avx2") ? &kAvx2 : nullptr;
}
} // namespace qor::gfx

#else

namespace qor::gfx {
const span_kernels* avx2_span_kernels() {
    return nullptr;
}
} // namespace qor::gfx

#endif
