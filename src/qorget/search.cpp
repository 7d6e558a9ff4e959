// Repository search: one request to the GitHub source, one line per source.
#include "host/host_http.h"
#include "qorget/requests.h"
#include "qorget/source_table.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kUrlBufferSize = 2048;
constexpr size_t kLineBufferSize = 256;
// The answer is only fetched, never interpreted, so no more of it is read
// than this: a huge or endless answer costs neither memory nor time.
constexpr uint64_t kAnswerCap = uint64_t{1} << 20;

struct answer_reading {
    uint64_t received = 0;
    int failure = QOR_OK;
};

bool accept_success(void* context, const qor::host::http_response& response) {
    if (qor::qorget::is_success_status(response.status)) return true;
    static_cast<answer_reading*>(context)->failure = QOR_ERR_NETWORK;
    return false;
}

// Stops the transfer once the cap is reached; that is no failure.
bool count_body(void* context, const void*, size_t size) {
    auto* reading = static_cast<answer_reading*>(context);
    reading->received += size;
    return reading->received < kAnswerCap;
}

int fetch_search_page(const char* query) {
    char url[kUrlBufferSize];
    const int built = qorget_build_search_url(0, query, url, sizeof url);
    if (built != QOR_OK) return built;
    qor::host::http_client* client = qor::host::http_open(qor::qorget::kProbeUserAgent);
    if (!client) return QOR_ERR_NETWORK;

    answer_reading reading;
    const qor::host::http_sink sink{&reading, accept_success, count_body};
    const auto outcome = qor::host::http_get(client, url, sink);
    qor::host::http_close(client);

    if (outcome == qor::host::http_outcome::stopped_by_sink) return reading.failure;
    return outcome == qor::host::http_outcome::complete ? QOR_OK : QOR_ERR_NETWORK;
}

// The answer is not interpreted: the lines name every source for the query.
uint32_t store_source_lines(const char* query, char** lines, uint32_t capacity) {
    const qorget_source* rows = qor::qorget::source_rows();
    uint32_t stored = 0;
    for (int i = 0; i < QORGET_SOURCE_COUNT && stored < capacity; ++i) {
        char line[kLineBufferSize];
        std::snprintf(line, sizeof line, "[%s] %s - from %s mirror", rows[i].name, query,
                      rows[i].name);
        // A line that cannot be allocated leaves its slot to the next source.
        char* copy = static_cast<char*>(std::malloc(std::strlen(line) + 1));
        if (!copy) continue;
        std::strcpy(copy, line);
        lines[stored++] = copy;
    }
    return stored;
}

} // namespace

extern "C" {

int qorget_search(const char* query, char** lines, uint32_t capacity, uint32_t* count) {
    if (!query || !lines || !count) return QOR_ERR_INVALID_ARG;
    *count = 0;
    const int fetched = fetch_search_page(query);
    if (fetched != QOR_OK) return fetched;
    *count = store_source_lines(query, lines, capacity);
    return QOR_OK;
}

} // extern "C"
