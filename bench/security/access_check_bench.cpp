// What the lexical normalisation costs an access check: the layer's check
// beside the same walk over raw bytes (the anchor), with the five system
// folders protected.
#include <qoros/qor_security.h>

#include <benchmark/benchmark.h>
#include <cctype>

namespace {

constexpr const char* kFolders[] = {"/usr/bin", "/usr", "/opt", "/usr/local", "/etc"};
constexpr const char* kOutside = "/home/user/Documents/reports/2026/summary.txt";
constexpr const char* kInside = "/usr/share/doc/../../bin/tool";

bool starts_with_folded(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (std::tolower(static_cast<unsigned char>(*text)) !=
            std::tolower(static_cast<unsigned char>(*prefix)))
            return false;
    }
    return true;
}

bool raw_prefix_allows(const char* path) {
    for (const char* folder : kFolders) {
        if (starts_with_folded(path, folder)) return false;
    }
    return true;
}

void BM_AnchorRawBytePrefixWalk(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(raw_prefix_allows(kOutside));
}

void BM_CheckAccessOutside(benchmark::State& state) {
    qor_security_init();
    for (auto _ : state)
        benchmark::DoNotOptimize(qor_security_check_file_access(kOutside, QOR_ACCESS_WRITE));
}

void BM_CheckAccessDotDotInside(benchmark::State& state) {
    qor_security_init();
    for (auto _ : state)
        benchmark::DoNotOptimize(qor_security_check_file_access(kInside, QOR_ACCESS_WRITE));
}

void BM_CheckAccessRelative(benchmark::State& state) {
    qor_security_init();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            qor_security_check_file_access("notes/today.txt", QOR_ACCESS_WRITE));
}

} // namespace

BENCHMARK(BM_AnchorRawBytePrefixWalk);
BENCHMARK(BM_CheckAccessOutside);
BENCHMARK(BM_CheckAccessDotDotInside);
BENCHMARK(BM_CheckAccessRelative);
BENCHMARK_MAIN();
