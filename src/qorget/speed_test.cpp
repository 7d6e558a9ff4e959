// Timing a source by fetching its small speed-test resource.
#include "host/host_http.h"
#include "qorget/requests.h"
#include "qorget/source_table.h"

namespace {

struct byte_count {
    uint64_t bytes = 0;
};

bool accept_success(void*, const qor::host::http_response& response) {
    return qor::qorget::is_success_status(response.status);
}

bool count_bytes(void* context, const void*, size_t size) {
    static_cast<byte_count*>(context)->bytes += size;
    return true;
}

} // namespace

extern "C" {

uint32_t qorget_source_speed_test(int32_t source_id) {
    const qorget_source* row = qor::qorget::find_source(source_id);
    if (!row || !row->speed_test_url) return 0;
    qor::host::http_client* client = qor::host::http_open(qor::qorget::kProbeUserAgent);
    if (!client) return 0;

    byte_count received;
    const qor::host::http_sink sink{&received, accept_success, count_bytes};
    // The time includes connecting and the request, not only the transfer.
    const uint64_t start = qor::qorget::ticks_ms();
    const auto outcome = qor::host::http_get(client, row->speed_test_url, sink);
    const uint64_t end = qor::qorget::ticks_ms();
    qor::host::http_close(client);

    // A refused, failed or stalled request says nothing about the source's speed.
    if (outcome != qor::host::http_outcome::complete) return 0;
    if (end <= start || received.bytes == 0) return 0;
    // Whole KiB per elapsed millisecond, scaled to seconds, in 32-bit arithmetic.
    const auto kib = static_cast<uint32_t>(received.bytes / 1024);
    return kib * 1000u / static_cast<uint32_t>(end - start);
}

int32_t qorget_find_fastest_source(void) {
    int32_t fastest = 0;
    uint32_t best_speed = 0;
    for (uint32_t index = 0; index < qorget_source_count(); ++index) {
        const int32_t id = qorget_source_at(index);
        const uint32_t speed = qorget_source_speed_test(id);
        if (speed > best_speed) {
            best_speed = speed;
            fastest = id;
        }
    }
    return fastest;
}

} // extern "C"
