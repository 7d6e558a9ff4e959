// Downloading a URL, or a package by name through a mirror source, into a file.
#include "host/host_fs.h"
#include "host/host_http.h"
#include "qorget/progress.h"
#include "qorget/requests.h"
#include "qorget/source_table.h"

#include <cstring>

namespace qor::qorget {

std::atomic<uint32_t> g_download_progress{0};
std::atomic<uint64_t> g_downloaded_bytes{0};
std::atomic<uint64_t> g_total_bytes{0};

} // namespace qor::qorget

namespace {

using namespace qor::qorget;

constexpr size_t kUrlBufferSize = 2048;

// One download in flight: where it goes and why it stopped, if it did.
struct download_job {
    const char* destination = nullptr;
    qor::host::staged_file file;
    int failure = QOR_OK;
};

bool is_url(const char* text) {
    return std::strncmp(text, "http://", 7) == 0 || std::strncmp(text, "https://", 8) == 0;
}

void reset_progress() {
    g_download_progress = 0;
    g_downloaded_bytes = 0;
    g_total_bytes = 0;
}

// The answer is in: refuse anything but success, then open the destination's
// staged file. Nothing is written for a refused answer.
bool start_file(void* context, const qor::host::http_response& response) {
    auto* job = static_cast<download_job*>(context);
    if (!is_success_status(response.status)) {
        job->failure = QOR_ERR_NETWORK;
        return false;
    }
    if (response.has_length) g_total_bytes = response.content_length;
    if (!qor::host::stage_file(job->destination, &job->file)) {
        job->failure = QOR_ERR_IO;
        return false;
    }
    return true;
}

bool write_body(void* context, const void* data, size_t size) {
    auto* job = static_cast<download_job*>(context);
    if (!qor::host::write_staged(&job->file, data, size)) {
        job->failure = QOR_ERR_IO;
        return false;
    }
    const uint64_t received = g_downloaded_bytes += size;
    const uint64_t total = g_total_bytes;
    if (total != 0) g_download_progress = static_cast<uint32_t>(received * 100 / total);
    return true;
}

int transfer_to_file(const char* url, const char* destination) {
    reset_progress();
    qor::host::http_client* client = qor::host::http_open(kDownloadUserAgent);
    if (!client) return QOR_ERR_NETWORK;

    download_job job;
    job.destination = destination;
    const qor::host::http_sink sink{&job, start_file, write_body};
    const auto outcome = qor::host::http_get(client, url, sink);
    qor::host::http_close(client);

    if (outcome != qor::host::http_outcome::complete) {
        // A refused answer, a broken-off or short transfer: the destination
        // keeps its old content and no partial file remains.
        qor::host::discard_staged_file(&job.file);
        return outcome == qor::host::http_outcome::stopped_by_sink ? job.failure : QOR_ERR_NETWORK;
    }
    if (g_total_bytes == 0) g_download_progress = 100;
    return qor::host::commit_staged_file(&job.file) ? QOR_OK : QOR_ERR_IO;
}

} // namespace

extern "C" {

int qorget_download(const char* url_or_name, const char* dest, int32_t source_id) {
    if (!url_or_name || !dest) return QOR_ERR_INVALID_ARG;
    if (is_url(url_or_name)) return transfer_to_file(url_or_name, dest);
    if (!is_one_path_segment(url_or_name)) return QOR_ERR_INVALID_ARG;

    if (source_id == QORGET_SOURCE_FASTEST) source_id = qorget_find_fastest_source();
    char url[kUrlBufferSize];
    const int built = qorget_build_package_url(source_id, url_or_name, nullptr, url, sizeof url);
    if (built != QOR_OK) return built;
    return transfer_to_file(url, dest);
}

uint32_t qorget_get_progress(void) {
    return g_download_progress;
}

} // extern "C"
