// Every CRC-32 engine must agree bit for bit with zlib's crc32().
#include "appfmt/crc32.h"
#include "package_fixtures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cctype>

namespace {

using qor::appfmt::crc32_engine;

uint32_t zlib_crc(const std::string& bytes, size_t offset, size_t size) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + offset), static_cast<uInt>(size)));
}

class Crc32Engine : public ::testing::TestWithParam<crc32_engine> {
  protected:
    void SetUp() override {
        if (!qor::appfmt::crc32_engine_available(GetParam()))
            GTEST_SKIP() << "CPU lacks " << qor::appfmt::crc32_engine_name(GetParam());
    }
    uint32_t ours(const std::string& bytes, size_t offset, size_t size, uint32_t crc = 0) {
        return qor::appfmt::crc32_update_with(GetParam(), crc, bytes.data() + offset, size);
    }
};

// Every length up to 4096 from an aligned start, then long and short runs
// from each of 64 start offsets.
TEST_P(Crc32Engine, MatchesZlibForEveryLengthAndAlignment) {
    const std::string bytes = qor::test::random_bytes((1u << 20) + 4096, 11);
    for (size_t size = 0; size <= 4096; ++size)
        ASSERT_EQ(ours(bytes, 0, size), zlib_crc(bytes, 0, size)) << "length " << size;
    for (size_t offset = 0; offset < 64; ++offset) {
        for (size_t size : {size_t{1} << 20, (size_t{1} << 20) - 1 - offset, size_t{300} + offset,
                            size_t{4095}, size_t{64} + offset}) {
            ASSERT_EQ(ours(bytes, offset, size), zlib_crc(bytes, offset, size))
                << "offset " << offset << " length " << size;
        }
    }
}

TEST_P(Crc32Engine, ContinuesAcrossPiecesLikeOneCall) {
    const std::string bytes = qor::test::random_bytes(100000, 3);
    const uint32_t whole = zlib_crc(bytes, 0, bytes.size());
    for (size_t cut : {0u, 1u, 15u, 255u, 4097u, 99999u})
        EXPECT_EQ(ours(bytes, cut, bytes.size() - cut, ours(bytes, 0, cut)), whole) << cut;
}

INSTANTIATE_TEST_SUITE_P(Engines, Crc32Engine,
                         ::testing::Values(crc32_engine::slice_by_16, crc32_engine::pclmul,
                                           crc32_engine::vpclmul_avx2,
                                           crc32_engine::vpclmul_avx512),
                         [](const ::testing::TestParamInfo<crc32_engine>& engine) {
                             std::string name = qor::appfmt::crc32_engine_name(engine.param);
                             std::erase_if(name, [](char c) { return !std::isalnum(c); });
                             return name;
                         });

TEST(QpaCrc32, KnownValueEmptyInputsAndFastestEngine) {
    EXPECT_EQ(qpa_crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(qpa_crc32(nullptr, 100), 0u);
    EXPECT_EQ(qpa_crc32("abc", 0), 0u);
    const crc32_engine active = qor::appfmt::crc32_active_engine();
    for (crc32_engine faster :
         {crc32_engine::vpclmul_avx512, crc32_engine::vpclmul_avx2, crc32_engine::pclmul})
        if (qor::appfmt::crc32_engine_available(faster)) {
            EXPECT_EQ(active, faster);
            break;
        }
}

} // namespace
