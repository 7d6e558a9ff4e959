// Windows clocks: GetTickCount64, QueryPerformanceCounter, GetLocalTime.
#include "host/host_time.h"

#include <windows.h>

namespace qor::host {

uint64_t tick_count_ms() {
    return GetTickCount64();
}

bool perf_counter_frequency(int64_t* counts_per_second) {
    LARGE_INTEGER f;
    if (!QueryPerformanceFrequency(&f) || f.QuadPart == 0) return false;
    *counts_per_second = f.QuadPart;
    return true;
}

int64_t perf_counter() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

local_time now_local() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

int64_t now_unix() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const uint64_t units = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<int64_t>(units / 10000000ULL) - 11644473600LL;
}

void sleep_ms(uint32_t ms) {
    Sleep(ms);
}

} // namespace qor::host
