// CRC-32 by carry-less multiplication ("folding"): the message is consumed in
// 128-bit lanes; each lane is multiplied by x^D mod P to move it D bits
// forward, where it is xored into the data found there. Only the last 128
// bits need a real reduction (Barrett). The 256-bit engine (AVX2 machines
// with VPCLMULQDQ) runs sixteen lanes as eight ymm registers, the 512-bit
// engine sixteen lanes as four zmm registers. The functions carry their own target attributes, so
// the file builds without special flags and is only entered after a CPU check.
#include "appfmt/crc32_engines.h"

#ifdef QOR_CRC32_HAVE_CLMUL

// GCC 12's AVX-512 headers build "undefined" vectors as self-initialised
// variables, which its own -Wmaybe-uninitialized then reports.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

namespace qor::appfmt {

namespace {

// x^d mod P in the reflected bit order of the register.
constexpr uint32_t xpow_mod_p(unsigned d) {
    uint32_t r = 0x80000000u; // x^0
    for (unsigned i = 0; i < d; ++i)
        r = (r >> 1) ^ ((r & 1u) ? kCrc32Polynomial : 0u);
    return r;
}

// Multiplier x^bits mod P for one half of a lane; the shift by one accounts
// for the reflected product coming out one bit short.
constexpr long long fold_multiplier(unsigned bits) {
    return static_cast<long long>(static_cast<uint64_t>(xpow_mod_p(bits)) << 1);
}

// Low half of a lane takes x^(D+32), high half x^(D-32).
#define QOR_FOLD_PAIR(distance) fold_multiplier((distance)-32), fold_multiplier((distance) + 32)

static_assert(fold_multiplier(512 + 32) == 0x154442bd4, "fold-by-512 multiplier");
static_assert(fold_multiplier(128 - 32) == 0xccaa009e, "fold-by-128 multiplier");

constexpr long long kX64 = fold_multiplier(64);
constexpr long long kPolyWithX32 = 0x1DB710641;     // P(x), reflected, 33 bits
constexpr long long kBarrettQuotient = 0x1F7011641; // floor(x^64 / P(x)), reflected

#define QOR_TARGET_CLMUL __attribute__((target("sse4.1,pclmul")))
#define QOR_TARGET_VCLMUL256 __attribute__((target("sse4.1,pclmul,avx2,vpclmulqdq")))
#define QOR_TARGET_VCLMUL __attribute__((target("sse4.1,pclmul,avx512f,avx512vl,vpclmulqdq")))

QOR_TARGET_CLMUL inline __m128i load128(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

QOR_TARGET_CLMUL inline __m128i fold128(__m128i lane, __m128i multipliers, __m128i next) {
    const __m128i lo = _mm_clmulepi64_si128(lane, multipliers, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(lane, multipliers, 0x11);
    return _mm_xor_si128(_mm_xor_si128(lo, hi), next);
}

// 128 bits down to the 32-bit register: fold to 64 bits (which appends the
// 32 zero bits a CRC implies), fold to 32, then Barrett reduction.
QOR_TARGET_CLMUL inline uint32_t reduce128(__m128i x) {
    const __m128i fold128_pair = _mm_set_epi64x(QOR_FOLD_PAIR(128));
    const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);
    x = _mm_xor_si128(_mm_srli_si128(x, 8), _mm_clmulepi64_si128(x, fold128_pair, 0x10));
    const __m128i x64 = _mm_set_epi64x(0, kX64);
    x = _mm_xor_si128(_mm_srli_si128(x, 4),
                      _mm_clmulepi64_si128(_mm_and_si128(x, low32), x64, 0x00));
    const __m128i barrett = _mm_set_epi64x(kBarrettQuotient, kPolyWithX32);
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, low32), barrett, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
    return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
}

// Folds the remaining whole 16-byte blocks into `x`, reduces, and hands the
// last few bytes to the table engine.
QOR_TARGET_CLMUL inline uint32_t finish(__m128i x, const uint8_t* p, size_t n) {
    const __m128i fold128_pair = _mm_set_epi64x(QOR_FOLD_PAIR(128));
    for (; n >= 16; p += 16, n -= 16)
        x = fold128(x, fold128_pair, load128(p));
    return crc32_state_slice_by_16(reduce128(x), p, n);
}

QOR_TARGET_VCLMUL256 inline __m256i load256(const uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

QOR_TARGET_VCLMUL256 inline __m256i fold256(__m256i lanes, __m256i multipliers, __m256i next) {
    const __m256i lo = _mm256_clmulepi64_epi128(lanes, multipliers, 0x00);
    const __m256i hi = _mm256_clmulepi64_epi128(lanes, multipliers, 0x11);
    return _mm256_xor_si256(_mm256_xor_si256(lo, hi), next);
}

QOR_TARGET_VCLMUL256 inline __m256i broadcast_pair256(__m128i pair) {
    return _mm256_broadcastsi128_si256(pair);
}

QOR_TARGET_VCLMUL inline __m512i load512(const uint8_t* p) {
    return _mm512_loadu_si512(p);
}

QOR_TARGET_VCLMUL inline __m512i fold512(__m512i lanes, __m512i multipliers, __m512i next) {
    const __m512i lo = _mm512_clmulepi64_epi128(lanes, multipliers, 0x00);
    const __m512i hi = _mm512_clmulepi64_epi128(lanes, multipliers, 0x11);
    return _mm512_ternarylogic_epi64(lo, hi, next, 0x96); // lo ^ hi ^ next
}

QOR_TARGET_VCLMUL inline __m512i broadcast_pair(__m128i pair) {
    return _mm512_broadcast_i32x4(pair);
}

} // namespace

QOR_TARGET_CLMUL uint32_t crc32_state_pclmul(uint32_t state, const uint8_t* p, size_t n) {
    if (n < 64) return crc32_state_slice_by_16(state, p, n);
    const __m128i by512 = _mm_set_epi64x(QOR_FOLD_PAIR(512));
    __m128i x0 = _mm_xor_si128(load128(p), _mm_cvtsi32_si128(static_cast<int>(state)));
    __m128i x1 = load128(p + 16), x2 = load128(p + 32), x3 = load128(p + 48);
    for (p += 64, n -= 64; n >= 64; p += 64, n -= 64) {
        x0 = fold128(x0, by512, load128(p));
        x1 = fold128(x1, by512, load128(p + 16));
        x2 = fold128(x2, by512, load128(p + 32));
        x3 = fold128(x3, by512, load128(p + 48));
    }
    const __m128i by128 = _mm_set_epi64x(QOR_FOLD_PAIR(128));
    __m128i x = fold128(x0, by128, x1);
    x = fold128(x, by128, x2);
    x = fold128(x, by128, x3);
    return finish(x, p, n);
}

// Eight ymm accumulators hold 256 bytes, as the four zmm ones of the 512-bit
// engine do, so both fold by the same 2048-bit distance. They are separate
// variables rather than an array so that they stay in registers.
QOR_TARGET_VCLMUL256 uint32_t crc32_state_vpclmul_avx2(uint32_t state, const uint8_t* p, size_t n) {
    if (n < 256) return crc32_state_pclmul(state, p, n);
    const __m256i by2048 = broadcast_pair256(_mm_set_epi64x(QOR_FOLD_PAIR(2048)));
    const __m256i first = _mm256_set_epi32(0, 0, 0, 0, 0, 0, 0, static_cast<int>(state));
    __m256i y0 = _mm256_xor_si256(load256(p), first), y1 = load256(p + 32);
    __m256i y2 = load256(p + 64), y3 = load256(p + 96), y4 = load256(p + 128);
    __m256i y5 = load256(p + 160), y6 = load256(p + 192), y7 = load256(p + 224);
    for (p += 256, n -= 256; n >= 256; p += 256, n -= 256) {
        y0 = fold256(y0, by2048, load256(p));
        y1 = fold256(y1, by2048, load256(p + 32));
        y2 = fold256(y2, by2048, load256(p + 64));
        y3 = fold256(y3, by2048, load256(p + 96));
        y4 = fold256(y4, by2048, load256(p + 128));
        y5 = fold256(y5, by2048, load256(p + 160));
        y6 = fold256(y6, by2048, load256(p + 192));
        y7 = fold256(y7, by2048, load256(p + 224));
    }
    // Pairs first (1024 bits apart), then the two halves (512), shortening
    // the chain of dependent multiplications.
    const __m256i by1024 = broadcast_pair256(_mm_set_epi64x(QOR_FOLD_PAIR(1024)));
    y0 = fold256(y0, by1024, y4);
    y1 = fold256(y1, by1024, y5);
    y2 = fold256(y2, by1024, y6);
    y3 = fold256(y3, by1024, y7);
    const __m256i by512 = broadcast_pair256(_mm_set_epi64x(QOR_FOLD_PAIR(512)));
    y0 = fold256(y0, by512, y2);
    y1 = fold256(y1, by512, y3);
    const __m256i by256 = broadcast_pair256(_mm_set_epi64x(QOR_FOLD_PAIR(256)));
    __m256i y = fold256(y0, by256, y1);
    for (; n >= 32; p += 32, n -= 32)
        y = fold256(y, by256, load256(p));
    const __m128i by128 = _mm_set_epi64x(QOR_FOLD_PAIR(128));
    return finish(fold128(_mm256_castsi256_si128(y), by128, _mm256_extracti128_si256(y, 1)), p, n);
}

QOR_TARGET_VCLMUL uint32_t crc32_state_vpclmul(uint32_t state, const uint8_t* p, size_t n) {
    if (n < 256) return crc32_state_pclmul(state, p, n);
    const __m512i by2048 = broadcast_pair(_mm_set_epi64x(QOR_FOLD_PAIR(2048)));
    __m512i z0 = _mm512_xor_si512(load512(p), _mm512_maskz_set1_epi32(1, static_cast<int>(state)));
    __m512i z1 = load512(p + 64), z2 = load512(p + 128), z3 = load512(p + 192);
    for (p += 256, n -= 256; n >= 256; p += 256, n -= 256) {
        z0 = fold512(z0, by2048, load512(p));
        z1 = fold512(z1, by2048, load512(p + 64));
        z2 = fold512(z2, by2048, load512(p + 128));
        z3 = fold512(z3, by2048, load512(p + 192));
    }
    const __m512i by512 = broadcast_pair(_mm_set_epi64x(QOR_FOLD_PAIR(512)));
    __m512i z = fold512(z0, by512, z1);
    z = fold512(z, by512, z2);
    z = fold512(z, by512, z3);
    for (; n >= 64; p += 64, n -= 64)
        z = fold512(z, by512, load512(p));
    const __m128i by128 = _mm_set_epi64x(QOR_FOLD_PAIR(128));
    __m128i x = fold128(_mm512_castsi512_si128(z), by128, _mm512_extracti32x4_epi32(z, 1));
    x = fold128(x, by128, _mm512_extracti32x4_epi32(z, 2));
    x = fold128(x, by128, _mm512_extracti32x4_epi32(z, 3));
    return finish(x, p, n);
}

} // namespace qor::appfmt

#endif
