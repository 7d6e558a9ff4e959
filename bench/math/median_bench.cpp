// The median with its NaN-safe order beside the anchor: copying and sorting
// the same values with std::sort and plain <, which is only valid without
// NaNs.
#include <qoros/qor_math.h>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

std::vector<double> shuffled_values(size_t count) {
    std::vector<double> values(count);
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> uniform(-1e6, 1e6);
    for (double& v : values)
        v = uniform(random);
    return values;
}

void BM_AnchorCopyAndStdSort(benchmark::State& state) {
    const auto values = shuffled_values(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<double> copy = values;
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy[copy.size() / 2]);
    }
}

void BM_SummaryMedian(benchmark::State& state) {
    const auto values = shuffled_values(static_cast<size_t>(state.range(0)));
    double median = 0;
    for (auto _ : state) {
        qor_math_stats_summary(values.data(), values.size(), nullptr, &median, nullptr, nullptr,
                               nullptr);
        benchmark::DoNotOptimize(median);
    }
}

void BM_SummaryAllFive(benchmark::State& state) {
    const auto values = shuffled_values(static_cast<size_t>(state.range(0)));
    double mean, median, stddev, min, max;
    for (auto _ : state) {
        qor_math_stats_summary(values.data(), values.size(), &mean, &median, &stddev, &min, &max);
        benchmark::DoNotOptimize(median);
    }
}

} // namespace

BENCHMARK(BM_AnchorCopyAndStdSort)->Arg(1000)->Arg(100000);
BENCHMARK(BM_SummaryMedian)->Arg(1000)->Arg(100000);
BENCHMARK(BM_SummaryAllFive)->Arg(1000)->Arg(100000);
BENCHMARK_MAIN();
