// POSIX clocks: CLOCK_MONOTONIC for ticks and the counter, localtime_r for
// the wall clock.
#include "host/host_time.h"

#include <ctime>

namespace qor::host {

namespace {

timespec monotonic_now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts;
}

} // namespace

uint64_t tick_count_ms() {
    const timespec ts = monotonic_now();
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

// 10 MHz, as Windows reports for its performance counter: callers multiply a
// reading by 1000 before dividing, and at this rate that stays within 64 bits
// for decades of uptime.
bool perf_counter_frequency(int64_t* counts_per_second) {
    *counts_per_second = 10000000;
    return true;
}

int64_t perf_counter() {
    const timespec ts = monotonic_now();
    return static_cast<int64_t>(ts.tv_sec) * 10000000 + ts.tv_nsec / 100;
}

local_time now_local() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm parts {};
    localtime_r(&ts.tv_sec, &parts);
    return {parts.tm_year + 1900,
            parts.tm_mon + 1,
            parts.tm_mday,
            parts.tm_hour,
            parts.tm_min,
            parts.tm_sec,
            static_cast<int>(ts.tv_nsec / 1000000)};
}

int64_t now_unix() {
    return static_cast<int64_t>(std::time(nullptr));
}

void sleep_ms(uint32_t ms) {
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

} // namespace qor::host
