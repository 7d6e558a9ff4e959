// CRC-32 throughput of each of our engines beside zlib's crc32 and
// libdeflate's libdeflate_crc32, on the same buffers in one run.
#include "appfmt/crc32.h"

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace {

using qor::appfmt::crc32_engine;

const std::vector<uint8_t>& buffer(size_t size) {
    static std::vector<uint8_t> bytes;
    if (bytes.size() != size) {
        std::mt19937 random(1);
        bytes.resize(size);
        for (auto& b : bytes)
            b = static_cast<uint8_t>(random());
    }
    return bytes;
}

template <typename Crc> void run(benchmark::State& state, Crc crc) {
    const auto& bytes = buffer(static_cast<size_t>(state.range(0)));
    uint32_t value = 0;
    for (auto _ : state) {
        value = crc(value, bytes.data(), bytes.size());
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void ours(benchmark::State& state, crc32_engine engine) {
    if (!qor::appfmt::crc32_engine_available(engine)) {
        state.SkipWithError("engine not supported by this CPU");
        return;
    }
    run(state, [engine](uint32_t crc, const uint8_t* data, size_t size) {
        return qor::appfmt::crc32_update_with(engine, crc, data, size);
    });
}

void BM_qoros_dispatched(benchmark::State& state) {
    run(state, [](uint32_t crc, const uint8_t* data, size_t size) {
        return qor::appfmt::crc32_update(crc, data, size);
    });
}
void BM_qoros_vpclmul_avx512(benchmark::State& s) {
    ours(s, crc32_engine::vpclmul_avx512);
}
void BM_qoros_vpclmul_avx2(benchmark::State& s) {
    ours(s, crc32_engine::vpclmul_avx2);
}
void BM_qoros_pclmul(benchmark::State& s) {
    ours(s, crc32_engine::pclmul);
}
void BM_qoros_slice_by_16(benchmark::State& s) {
    ours(s, crc32_engine::slice_by_16);
}

void BM_zlib(benchmark::State& state) {
    run(state, [](uint32_t crc, const uint8_t* data, size_t size) {
        return static_cast<uint32_t>(crc32(crc, data, static_cast<uInt>(size)));
    });
}

void BM_libdeflate(benchmark::State& state) {
    run(state, [](uint32_t crc, const uint8_t* data, size_t size) {
        return libdeflate_crc32(crc, data, size);
    });
}

constexpr int64_t kMiB = 1 << 20;
BENCHMARK(BM_qoros_dispatched)->Arg(kMiB)->Arg(4096)->UseRealTime();
BENCHMARK(BM_qoros_vpclmul_avx512)->Arg(kMiB)->Arg(4096)->UseRealTime();
BENCHMARK(BM_qoros_vpclmul_avx2)->Arg(kMiB)->Arg(4096)->UseRealTime();
BENCHMARK(BM_qoros_pclmul)->Arg(kMiB)->Arg(4096)->UseRealTime();
BENCHMARK(BM_qoros_slice_by_16)->Arg(kMiB)->Arg(4096)->UseRealTime();
BENCHMARK(BM_zlib)->Arg(kMiB)->Arg(4096)->UseRealTime();
BENCHMARK(BM_libdeflate)->Arg(kMiB)->Arg(4096)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
