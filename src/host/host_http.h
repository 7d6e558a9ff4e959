// Host HTTP client: GET requests whose body streams into a caller's sink.
// Redirects are followed; only http and https are spoken.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::host {

// Limits every client applies. A connection that cannot be made within
// connect_timeout_ms, or a transfer slower than low_speed_bytes_per_s for
// low_speed_window_ms, fails instead of blocking the caller forever.
struct http_transport_settings {
    uint32_t connect_timeout_ms = 10'000;
    uint32_t low_speed_bytes_per_s = 1024;
    uint32_t low_speed_window_ms = 15'000;
    // Certificate authorities to trust instead of the system's store (a PEM
    // file), or nullptr for the system's store.
    const char* ca_bundle_path = nullptr;
};

// Replaces the settings clients opened from now on use; nullptr restores the
// defaults. Tests shorten the limits and hand in their own certificate
// authority; the copy of ca_bundle_path's text is taken here.
void http_set_transport_settings(const http_transport_settings* settings);

struct http_client;

// Opens a client that sends user_agent with every request; nullptr when the
// host's HTTP machinery cannot be set up.
http_client* http_open(const char* user_agent);
void http_close(http_client* client);

// What is known about the final answer (after redirects) when its body starts.
struct http_response {
    long status = 0;
    bool has_length = false;
    uint64_t content_length = 0;
};

// Receives one answer. on_response is called exactly once before the first
// body bytes (also for an empty body); returning false from either callback
// stops the transfer.
struct http_sink {
    void* context = nullptr;
    bool (*on_response)(void* context, const http_response& response) = nullptr;
    bool (*on_body)(void* context, const void* data, size_t size) = nullptr;
};

enum class http_outcome {
    complete,        // the whole body was delivered
    stopped_by_sink, // a sink callback returned false
    failed,          // the URL could not be opened or the transfer broke off
                     // (time-out, body shorter than announced, TLS failure)
};

http_outcome http_get(http_client* client, const char* url, const http_sink& sink);

} // namespace qor::host
