// An HTTP (or HTTPS) server on 127.0.0.1 inside the test process, whose
// answers a test scripts path by path: status, length header, short bodies,
// holds, stalls, broken connections and redirects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qor::test {

inline constexpr size_t kNever = SIZE_MAX;

struct http_route {
    int status = 200;
    std::string body;
    // When set, the body is instead this many bytes of pattern_bytes().
    std::optional<uint64_t> pattern_length;
    bool send_length = true;
    // Length to announce instead of the body's real one (a short body).
    std::optional<uint64_t> announced_length;
    // Location header, for redirects.
    std::string location;
    // Waits this long before answering, so that real clocks see time pass.
    uint32_t delay_ms = 0;
    // After this many body bytes: wait for release_holds(), then go on.
    size_t hold_after = kNever;
    // After this many body bytes: send nothing more, keep the connection
    // open until the client gives up.
    size_t stall_after = kNever;
    // After this many body bytes: tear the connection down (TCP reset).
    size_t reset_after = kNever;
};

struct recorded_request {
    std::string target; // path and query as sent
    std::string user_agent;
};

// Files of a TLS server identity (PEM).
struct tls_identity {
    std::string certificate_path;
    std::string key_path;
};

struct loopback_server_state;

class loopback_http_server {
  public:
    // Plain HTTP without an identity, HTTPS with one.
    explicit loopback_http_server(const tls_identity* tls = nullptr);
    ~loopback_http_server();
    loopback_http_server(const loopback_http_server&) = delete;
    loopback_http_server& operator=(const loopback_http_server&) = delete;

    bool running() const;
    void route(const std::string& target, const http_route& answer);
    // "http://127.0.0.1:<port>" (or https) followed by target.
    std::string url(const std::string& target) const;
    // Lets every held answer continue, now and in future.
    void release_holds();
    std::vector<recorded_request> requests() const;

  private:
    std::unique_ptr<loopback_server_state> state_;
};

// The deterministic body content served for pattern_length.
std::string pattern_bytes(uint64_t length);

} // namespace qor::test
