// SSE2 row kernels: four pixels per step, channels widened to 16 bits. The
// products src*a + old*(255-a) stay below 65536, and x/255 for every 16-bit x
// equals (x * 0x8081) >> 23, so the result is the scalar rule exactly.
#include "graphics/span_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

// Everything except the kernels themselves is included before the target
// switch, so no shared inline code is compiled for the wider instruction set.
#include "graphics/pixel_rule.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#pragma GCC push_options
#pragma GCC target("sse2")
#include "graphics/span_simd_loops.h"

namespace qor::gfx {
namespace {

struct sse2_ops {
    using vec = __m128i;
    static constexpr size_t kPixels = 4;

    struct solid {
        __m128i premultiplied; // src * a per channel, alpha lane 0
        __m128i inverse;       // 255 - a
    };

    static __m128i load(const uint32_t* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    static void store(uint32_t* p, __m128i v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    }
    static __m128i splat(uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }

    static __m128i load_alpha(const uint8_t* p) {
        int32_t four;
        std::memcpy(&four, p, sizeof four);
        const __m128i zero = _mm_setzero_si128();
        return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero), zero);
    }
    static __m128i alpha_of(__m128i pixels) { return _mm_srli_epi32(pixels, 24); }

    static __m128i div255(__m128i x) {
        return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
    }

    static solid prepare_solid(uint32_t color) {
        const uint32_t a = color >> 24;
        const __m128i channels = _mm_unpacklo_epi8(
            _mm_cvtsi32_si128(static_cast<int>(color & 0x00FFFFFFu)), _mm_setzero_si128());
        const __m128i both = _mm_unpacklo_epi64(channels, channels);
        return {_mm_mullo_epi16(both, _mm_set1_epi16(static_cast<short>(a))),
                _mm_set1_epi16(static_cast<short>(255 - a))};
    }

    static __m128i blend_solid(__m128i old, const solid& s) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(old, zero), s.inverse),
                                         s.premultiplied);
        const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(old, zero), s.inverse),
                                         s.premultiplied);
        const __m128i packed = _mm_packus_epi16(div255(lo), div255(hi));
        return _mm_or_si128(packed, _mm_set1_epi32(static_cast<int>(kOpaqueAlpha)));
    }

    // alpha32: one alpha 0..255 in the low byte of each pixel's lane.
    static __m128i blend(__m128i old, __m128i src, __m128i alpha32) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i both_halves = _mm_or_si128(alpha32, _mm_slli_epi32(alpha32, 16));
        const __m128i a_lo = _mm_unpacklo_epi32(both_halves, both_halves);
        const __m128i a_hi = _mm_unpackhi_epi32(both_halves, both_halves);
        const __m128i c255 = _mm_set1_epi16(255);
        const __m128i lo =
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(src, zero), a_lo),
                          _mm_mullo_epi16(_mm_unpacklo_epi8(old, zero), _mm_sub_epi16(c255, a_lo)));
        const __m128i hi =
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(src, zero), a_hi),
                          _mm_mullo_epi16(_mm_unpackhi_epi8(old, zero), _mm_sub_epi16(c255, a_hi)));
        const __m128i blended = _mm_or_si128(_mm_packus_epi16(div255(lo), div255(hi)),
                                             _mm_set1_epi32(static_cast<int>(kOpaqueAlpha)));
        // Alpha 0 leaves the whole pixel untouched, its alpha byte included.
        const __m128i keep_old = _mm_cmpeq_epi32(alpha32, zero);
        return _mm_or_si128(_mm_and_si128(keep_old, old), _mm_andnot_si128(keep_old, blended));
    }
};

using loops = simd::span_loops<sse2_ops>;
constexpr span_kernels kSse2{"sse2", loops::fill, loops::blend_solid, loops::blend_coverage,
                             loops::blend_colors};

} // namespace
} // namespace qor::gfx

#pragma GCC pop_options

namespace qor::gfx {
const span_kernels* sse2_span_kernels() {
    return __builtin_cpu_supports("sse2") ? &kSse2 : nullptr;
}
} // namespace qor::gfx

#else

namespace qor::gfx {
const span_kernels* sse2_span_kernels() {
    return nullptr;
}
} // namespace qor::gfx

#endif
