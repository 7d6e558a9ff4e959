// The SIMD row kernels must equal the scalar rule bit for bit.
#include "graphics/span_kernels.h"

#include "canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using qor::gfx::span_kernels;

namespace {

std::vector<const span_kernels*> all_sets() {
    std::vector<const span_kernels*> sets{&qor::gfx::scalar_span_kernels()};
    if (auto* s = qor::gfx::sse2_span_kernels()) sets.push_back(s);
    if (auto* s = qor::gfx::avx2_span_kernels()) sets.push_back(s);
    return sets;
}

} // namespace

TEST(SpanKernels, TheActiveSetIsTheWidestAvailable) {
    const auto sets = all_sets();
    EXPECT_STREQ(qor::gfx::active_span_kernels().name, sets.back()->name);
}

// Every (source, old, alpha) triple through every entry point of every set.
TEST(SpanKernels, ExhaustiveOverAllChannelValuesAndAlphas) {
    std::vector<uint32_t> olds(256), colors(256), row(256);
    std::vector<uint8_t> alphas(256);
    for (uint32_t v = 0; v < 256; ++v)
        olds[v] = 0xFF000000u | v << 16 | (255 - v) << 8 | (v ^ 0x5A);
    for (const span_kernels* set : all_sets()) {
        for (uint32_t alpha = 0; alpha < 256; ++alpha) {
            for (uint32_t src = 0; src < 256; ++src) {
                const uint32_t color = alpha << 24 | (src ^ 0x33) << 16 | src << 8 | (255 - src);
                std::vector<uint32_t> expected(256);
                for (int i = 0; i < 256; ++i)
                    expected[i] = qor::test::blend_once(olds[i], color);

                if (alpha != 0 && alpha != 255) {
                    row = olds;
                    set->blend_solid(row.data(), row.size(), color);
                    ASSERT_EQ(row, expected) << set->name << " solid a=" << alpha << " s=" << src;
                }
                row = olds;
                std::fill(alphas.begin(), alphas.end(), static_cast<uint8_t>(alpha));
                set->blend_coverage(row.data(), row.size(), color, alphas.data());
                ASSERT_EQ(row, expected) << set->name << " coverage a=" << alpha;
                row = olds;
                std::fill(colors.begin(), colors.end(), color);
                set->blend_colors(row.data(), row.size(), colors.data());
                ASSERT_EQ(row, expected) << set->name << " colors a=" << alpha;
            }
        }
    }
}

// Random lengths, start offsets (unaligned) and contents, compared with the
// scalar set; alpha 0 must leave even odd stored alpha bytes alone.
TEST(SpanKernels, RandomSpansMatchScalar) {
    std::mt19937 random(99);
    const span_kernels& scalar = qor::gfx::scalar_span_kernels();
    for (const span_kernels* set : all_sets()) {
        for (int round = 0; round < 3000; ++round) {
            const size_t offset = random() % 9, n = random() % 70;
            std::vector<uint32_t> base(offset + n + 3), colors(n);
            std::vector<uint8_t> alphas(n);
            for (auto& p : base)
                p = random();
            for (auto& c : colors)
                c = random() % 4 == 0 ? random() & 0x00FFFFFF : random();
            for (auto& a : alphas)
                a = random() % 3 == 0 ? 0 : random();
            const uint32_t color = (1 + random() % 254) << 24 | (random() & 0xFFFFFF);

            auto expect = base, got = base;
            scalar.blend_solid(expect.data() + offset, n, color);
            set->blend_solid(got.data() + offset, n, color);
            ASSERT_EQ(got, expect) << set->name;
            scalar.blend_coverage(expect.data() + offset, n, color, alphas.data());
            set->blend_coverage(got.data() + offset, n, color, alphas.data());
            ASSERT_EQ(got, expect) << set->name;
            scalar.blend_colors(expect.data() + offset, n, colors.data());
            set->blend_colors(got.data() + offset, n, colors.data());
            ASSERT_EQ(got, expect) << set->name;
            scalar.fill(expect.data() + offset, n, color | 0xFF000000u);
            set->fill(got.data() + offset, n, color | 0xFF000000u);
            ASSERT_EQ(got, expect) << set->name;
        }
    }
}
