// The kernel clock and the system information record.
#include "diskmount/disk_table.h"
#include "host/host_memory.h"
#include "host/host_time.h"
#include "kernel/kernel_figures.h"
#include "window/window_count.h"

#include <qoros/qor_system.h>

namespace {

bool g_system_initialized = false;
bool g_use_qpc = false;
int64_t g_qpc_freq = 0;
int64_t g_start_tick = 0;

constexpr const char* kVersionText = "QorOS v6.0 (Windows Native)";
// The compiler's date and time of this build: "Sep 12 2026 08:01:56".
constexpr const char* kBuildText = __DATE__ " " __TIME__;

int64_t clock_ms() {
    if (g_use_qpc) return qor::host::perf_counter() * 1000 / g_qpc_freq;
    return static_cast<int64_t>(qor::host::tick_count_ms());
}

} // namespace

extern "C" int qor_system_init(void) {
    if (g_system_initialized) return QOR_OK;
    if (qor::host::perf_counter_frequency(&g_qpc_freq) && g_qpc_freq > 0) g_use_qpc = true;
    g_start_tick = clock_ms();
    g_system_initialized = true;
    return QOR_OK;
}

extern "C" int qor_system_run(void) {
    return g_system_initialized ? QOR_OK : QOR_ERR_NOT_INIT;
}

extern "C" void qor_system_shutdown(void) {
    if (!g_system_initialized) return;
    g_system_initialized = false;
    g_start_tick = 0;
}

extern "C" uint64_t qor_system_get_uptime(void) {
    if (!g_system_initialized) return 0;
    return static_cast<uint64_t>(clock_ms() - g_start_tick);
}

extern "C" int qor_system_get_info(qor_system_info* info) {
    if (!info) return QOR_ERR_INVALID_ARG;
    info->version = kVersionText;
    info->build = kBuildText;
    info->uptime_ms = qor_system_get_uptime();
    qor::host::memory_status memory;
    info->total_memory = qor::host::query_memory(&memory) ? memory.total_physical : 0;
    info->used_memory = qor::kernel::g_used_memory_total.load(std::memory_order_relaxed);
    const int32_t processes = qor::kernel::g_process_count.load(std::memory_order_relaxed);
    info->process_count = processes > 0 ? static_cast<uint32_t>(processes) : 0;
    info->window_count = qor::window::registered_count();
    // The real mount state, so the taskbar and the disk page show what a
    // Ctrl+Tab+A press did.
    info->m_drive_active = qor::diskmount::is_mounted();
    return QOR_OK;
}
