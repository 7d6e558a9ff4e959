// HTTP client on WinINet. Each request opens its URL with INTERNET_FLAG_RELOAD
// (always from the origin) and INTERNET_FLAG_NO_CACHE_WRITE (nothing kept in
// the cache), plus INTERNET_FLAG_SECURE for https. WinINet follows redirects
// itself, but never from https down to http.
//
// Limits: the connect time-out is WinINet's own; WinINet has no low-speed
// limit, so a read that waits longer than the low-speed window fails by the
// receive time-out, and the read loop gives up when a whole window brought
// fewer bytes than the limit asks.
//
// WinINet trusts only the system's certificate store. When a caller names
// its own certificate authorities instead, https requests fail rather than
// trust more than the caller asked for.
#include "host/host_http.h"
#include "host/win32/wide.h"

#include <windows.h>
#include <wininet.h>

#include <mutex>
#include <new>
#include <vector>

namespace qor::host {

namespace {

constexpr DWORD kReceiveChunkBytes = 256 * 1024;

struct transport_state {
    std::mutex lock;
    http_transport_settings settings;
    bool own_authorities = false; // a CA bundle was named
};

transport_state& g_transport() {
    static transport_state state;
    return state;
}

bool starts_with_ignoring_case(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        const char c = (*text >= 'A' && *text <= 'Z') ? static_cast<char>(*text + 32) : *text;
        if (c != *prefix) return false;
    }
    return true;
}

// The decimal Content-Length, or false when absent or not a plain number.
bool content_length(HINTERNET request, uint64_t* length) {
    wchar_t text[32];
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return false;
    uint64_t value = 0;
    const wchar_t* c = text;
    if (*c == L'\0') return false;
    for (; *c; ++c) {
        if (*c < L'0' || *c > L'9' || value > (UINT64_MAX - 9) / 10) return false;
        value = value * 10 + static_cast<uint64_t>(*c - L'0');
    }
    *length = value;
    return true;
}

http_response response_of(HINTERNET request) {
    http_response response;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       nullptr))
        response.status = static_cast<long>(status);
    response.has_length = content_length(request, &response.content_length);
    return response;
}

// Counts the bytes of each low-speed window and says when one fell short.
struct speed_watch {
    uint32_t min_bytes_per_s;
    uint32_t window_ms;
    ULONGLONG window_start = GetTickCount64();
    uint64_t window_bytes = 0;

    bool too_slow(DWORD received) {
        window_bytes += received;
        const ULONGLONG elapsed = GetTickCount64() - window_start;
        if (elapsed < window_ms) return false;
        const bool slow = window_bytes * 1000 < uint64_t{min_bytes_per_s} * elapsed;
        window_start += elapsed;
        window_bytes = 0;
        return slow;
    }
};

} // namespace

struct http_client {
    HINTERNET session = nullptr;
    http_transport_settings limits;
    bool own_authorities = false;
};

void http_set_transport_settings(const http_transport_settings* settings) {
    auto& state = g_transport();
    std::lock_guard guard(state.lock);
    state.settings = settings ? *settings : http_transport_settings{};
    state.own_authorities = state.settings.ca_bundle_path && *state.settings.ca_bundle_path;
    state.settings.ca_bundle_path = nullptr;
}

http_client* http_open(const char* user_agent) {
    auto* client = new (std::nothrow) http_client;
    if (!client) return nullptr;
    {
        auto& state = g_transport();
        std::lock_guard guard(state.lock);
        client->limits = state.settings;
        client->own_authorities = state.own_authorities;
    }
    client->session = InternetOpenW(win32::widen(user_agent ? user_agent : "").c_str(),
                                    INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    DWORD connect_ms = client->limits.connect_timeout_ms;
    DWORD receive_ms = client->limits.low_speed_window_ms;
    if (!client->session ||
        !InternetSetOptionW(client->session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect_ms,
                            sizeof connect_ms) ||
        !InternetSetOptionW(client->session, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive_ms,
                            sizeof receive_ms) ||
        !InternetSetOptionW(client->session, INTERNET_OPTION_SEND_TIMEOUT, &receive_ms,
                            sizeof receive_ms)) {
        http_close(client);
        return nullptr;
    }
    return client;
}

void http_close(http_client* client) {
    if (!client) return;
    if (client->session) InternetCloseHandle(client->session);
    delete client;
}

http_outcome http_get(http_client* client, const char* url, const http_sink& sink) {
    if (!client || !url) return http_outcome::failed;
    const bool secure = starts_with_ignoring_case(url, "https://");
    if (!secure && !starts_with_ignoring_case(url, "http://")) return http_outcome::failed;
    if (secure && client->own_authorities) return http_outcome::failed;
    const std::wstring wide_url = win32::widen(url);
    if (wide_url.empty()) return http_outcome::failed;

    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                        (secure ? INTERNET_FLAG_SECURE : 0);
    HINTERNET request = InternetOpenUrlW(client->session, wide_url.c_str(), nullptr, 0, flags, 0);
    if (!request) return http_outcome::failed;

    http_outcome outcome = http_outcome::complete;
    const http_response response = response_of(request);
    if (sink.on_response && !sink.on_response(sink.context, response)) {
        InternetCloseHandle(request);
        return http_outcome::stopped_by_sink;
    }
    std::vector<char> buffer(kReceiveChunkBytes);
    speed_watch watch{client->limits.low_speed_bytes_per_s, client->limits.low_speed_window_ms};
    uint64_t received_total = 0;
    for (;;) {
        DWORD received = 0;
        if (!InternetReadFile(request, buffer.data(), kReceiveChunkBytes, &received)) {
            outcome = http_outcome::failed;
            break;
        }
        if (received == 0) {
            // The connection ended: the body must be as long as announced.
            if (response.has_length && received_total != response.content_length)
                outcome = http_outcome::failed;
            break;
        }
        received_total += received;
        if (sink.on_body && !sink.on_body(sink.context, buffer.data(), received)) {
            outcome = http_outcome::stopped_by_sink;
            break;
        }
        if (watch.too_slow(received)) {
            outcome = http_outcome::failed;
            break;
        }
    }
    InternetCloseHandle(request);
    return outcome;
}

} // namespace qor::host
