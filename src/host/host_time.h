// Host clocks and sleeping.
#pragma once

#include <cstdint>

namespace qor::host {

// Milliseconds since an arbitrary fixed point (monotonic).
uint64_t tick_count_ms();

// High-resolution monotonic counter and its frequency in counts per second;
// false when the host has none.
bool perf_counter_frequency(int64_t* counts_per_second);
int64_t perf_counter();

struct local_time {
    int year, month, day, hour, minute, second, millisecond;
};
local_time now_local();

// Seconds since 1970-01-01 UTC.
int64_t now_unix();

void sleep_ms(uint32_t ms);

} // namespace qor::host
