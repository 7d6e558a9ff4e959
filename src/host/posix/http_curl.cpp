// HTTP client backend on libcurl.
#include "host/host_http.h"

#include <curl/curl.h>
#include <mutex>
#include <new>
#include <string>

namespace qor::host {

namespace {

// Larger receive chunks than libcurl's 16 KiB default keep big downloads
// from spending their time in callbacks.
constexpr long kReceiveBufferBytes = 256 * 1024;
constexpr long kMaxRedirects = 10;

struct transport_state {
    std::mutex lock;
    http_transport_settings settings;
    std::string ca_bundle_path;
};

transport_state& g_transport() {
    static transport_state state;
    return state;
}

bool curl_ready() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ready;
}

long seconds_rounded_up(uint32_t ms) {
    return static_cast<long>((ms + 999) / 1000);
}

// State of one request, shared by the libcurl callbacks.
struct transfer {
    CURL* easy = nullptr;
    const http_sink* sink = nullptr;
    bool response_delivered = false;
    bool stopped = false;
};

bool deliver_response(transfer* t) {
    t->response_delivered = true;
    http_response response;
    curl_easy_getinfo(t->easy, CURLINFO_RESPONSE_CODE, &response.status);
    curl_off_t length = -1;
    if (curl_easy_getinfo(t->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        length >= 0) {
        response.has_length = true;
        response.content_length = static_cast<uint64_t>(length);
    }
    if (t->sink->on_response && !t->sink->on_response(t->sink->context, response)) {
        t->stopped = true;
        return false;
    }
    return true;
}

// libcurl calls this only for the body of the final answer of a redirect
// chain, so the status and length read here belong to that answer.
size_t receive_body(char* data, size_t one, size_t count, void* user) {
    auto* t = static_cast<transfer*>(user);
    const size_t size = one * count;
    if (!t->response_delivered && !deliver_response(t)) return 0;
    if (t->sink->on_body && !t->sink->on_body(t->sink->context, data, size)) {
        t->stopped = true;
        return 0;
    }
    return size;
}

} // namespace

struct http_client {
    CURL* easy = nullptr;
};

void http_set_transport_settings(const http_transport_settings* settings) {
    auto& state = g_transport();
    std::lock_guard guard(state.lock);
    state.settings = settings ? *settings : http_transport_settings{};
    state.ca_bundle_path = state.settings.ca_bundle_path ? state.settings.ca_bundle_path : "";
    state.settings.ca_bundle_path = nullptr;
}

http_client* http_open(const char* user_agent) {
    if (!curl_ready()) return nullptr;
    CURL* easy = curl_easy_init();
    if (!easy) return nullptr;

    auto& state = g_transport();
    std::lock_guard guard(state.lock);
    const http_transport_settings& limits = state.settings;
    bool ok = curl_easy_setopt(easy, CURLOPT_USERAGENT, user_agent ? user_agent : "") == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                                static_cast<long>(limits.connect_timeout_ms)) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT,
                                static_cast<long>(limits.low_speed_bytes_per_s)) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                                seconds_rounded_up(limits.low_speed_window_ms)) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, receive_body) == CURLE_OK;
    if (ok && !state.ca_bundle_path.empty())
        ok = curl_easy_setopt(easy, CURLOPT_CAINFO, state.ca_bundle_path.c_str()) == CURLE_OK;
    if (!ok) {
        curl_easy_cleanup(easy);
        return nullptr;
    }
    auto* client = new (std::nothrow) http_client{easy};
    if (!client) curl_easy_cleanup(easy);
    return client;
}

void http_close(http_client* client) {
    if (!client) return;
    curl_easy_cleanup(client->easy);
    delete client;
}

http_outcome http_get(http_client* client, const char* url, const http_sink& sink) {
    if (!client || !url) return http_outcome::failed;
    transfer t;
    t.easy = client->easy;
    t.sink = &sink;
    if (curl_easy_setopt(t.easy, CURLOPT_URL, url) != CURLE_OK ||
        curl_easy_setopt(t.easy, CURLOPT_WRITEDATA, &t) != CURLE_OK)
        return http_outcome::failed;
    const CURLcode code = curl_easy_perform(t.easy);
    if (t.stopped) return http_outcome::stopped_by_sink;
    if (code != CURLE_OK) return http_outcome::failed;
    // An empty body never reached the write callback.
    if (!t.response_delivered && !deliver_response(&t)) return http_outcome::stopped_by_sink;
    return http_outcome::complete;
}

} // namespace qor::host
