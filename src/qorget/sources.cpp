// The seven mirror sources and the accessors over them.
#include "qorget/source_table.h"
#include "qorget/test_seams.h"

#include "host/host_time.h"

#include <atomic>

namespace {

const qorget_source g_sources[QORGET_SOURCE_COUNT] = {
    {0, "GitHub", "https://github.com", "https://github.com/%s/releases/download/%s/%s",
     "https://api.github.com/search/repositories?q=%s", "https://github.com/favicon.ico"},
    {1, "Aliyun", "https://mirrors.aliyun.com", "https://mirrors.aliyun.com/qoros/packages/%s/%s",
     "https://mirrors.aliyun.com/qoros/search?q=%s", "https://mirrors.aliyun.com/favicon.ico"},
    {2, "Tsinghua", "https://mirrors.tuna.tsinghua.edu.cn",
     "https://mirrors.tuna.tsinghua.edu.cn/qoros/packages/%s/%s",
     "https://mirrors.tuna.tsinghua.edu.cn/qoros/search?q=%s",
     "https://mirrors.tuna.tsinghua.edu.cn/favicon.ico"},
    {3, "Taobao", "https://npmmirror.com", "https://npmmirror.com/qoros/packages/%s/%s",
     "https://npmmirror.com/qoros/search?q=%s", "https://npmmirror.com/favicon.ico"},
    {4, "Winget", "https://cdn.winget.microsoft.com",
     "https://cdn.winget.microsoft.com/cache/source/%s/%s",
     "https://store.rg-adguard.net/api/GetFiles?type=url&url=%s",
     "https://cdn.winget.microsoft.com/cache/source/msstore.ver"},
    {5, "Bing", "https://www.bing.com", "https://www.bing.com/search?q=qoros+%s",
     "https://www.bing.com/search?q=%s", "https://www.bing.com/favicon.ico"},
    {6, "Google", "https://www.google.com", "https://www.google.com/search?q=qoros+%s",
     "https://www.google.com/search?q=%s", "https://www.google.com/favicon.ico"},
};

std::atomic<const qorget_source*> g_active_sources{g_sources};
std::atomic<qor::qorget::tick_clock> g_clock{nullptr};

} // namespace

namespace qor::qorget {

const qorget_source* source_rows() {
    return g_active_sources.load();
}

const qorget_source* find_source(int32_t source_id) {
    const qorget_source* rows = source_rows();
    for (int i = 0; i < QORGET_SOURCE_COUNT; ++i)
        if (rows[i].id == source_id) return &rows[i];
    return nullptr;
}

uint64_t ticks_ms() {
    const tick_clock clock = g_clock.load();
    return clock ? clock() : host::tick_count_ms();
}

void replace_sources_for_tests(const qorget_source* rows) {
    g_active_sources.store(rows ? rows : g_sources);
}

void replace_clock_for_tests(tick_clock clock) {
    g_clock.store(clock);
}

} // namespace qor::qorget

extern "C" {

uint32_t qorget_source_count(void) {
    return QORGET_SOURCE_COUNT;
}

int32_t qorget_source_at(uint32_t index) {
    if (index >= QORGET_SOURCE_COUNT) return 0;
    return qor::qorget::source_rows()[index].id;
}

const char* qorget_source_name(int32_t source_id) {
    const qorget_source* row = qor::qorget::find_source(source_id);
    return row ? row->name : "Unknown";
}

const char* qorget_source_base_url(int32_t source_id) {
    const qorget_source* row = qor::qorget::find_source(source_id);
    return row ? row->base_url : nullptr;
}

} // extern "C"
