// Loopback HTTP server for tests: one thread accepts, one thread per
// connection answers as its route says, then closes (no keep-alive).
#include "support/loopback_http_server.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace qor::test {

namespace {

constexpr size_t kPatternPeriod = size_t{1} << 20;
constexpr size_t kMaxRequestBytes = 64 * 1024;
constexpr int kPollIntervalMs = 20;

uint8_t pattern_byte(uint64_t i) {
    const uint64_t j = i % kPatternPeriod;
    return static_cast<uint8_t>(j * 7 + (j >> 12));
}

const std::string& pattern_block() {
    static const std::string block = [] {
        std::string bytes(kPatternPeriod, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(pattern_byte(i));
        return bytes;
    }();
    return block;
}

struct connection {
    int fd = -1;
    SSL* ssl = nullptr;
};

bool send_all(const connection& c, const char* data, size_t size) {
    while (size > 0) {
        const int chunk = static_cast<int>(std::min<size_t>(size, 1 << 20));
        const long n =
            c.ssl ? SSL_write(c.ssl, data, chunk) : send(c.fd, data, chunk, MSG_NOSIGNAL);
        if (n <= 0) {
            if (!c.ssl && n < 0 && errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

long receive_some(const connection& c, char* buffer, size_t size) {
    const int chunk = static_cast<int>(size);
    return c.ssl ? SSL_read(c.ssl, buffer, chunk) : recv(c.fd, buffer, chunk, 0);
}

std::string header_value(const std::string& head, const std::string& name) {
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    std::string key = "\r\n" + name + ":";
    std::transform(key.begin(), key.end(), key.begin(), ::tolower);
    const size_t at = lower.find(key);
    if (at == std::string::npos) return {};
    size_t start = at + key.size();
    while (start < head.size() && head[start] == ' ')
        ++start;
    return head.substr(start, head.find("\r\n", start) - start);
}

bool read_request_head(const connection& c, std::string* head) {
    char buffer[4096];
    while (head->find("\r\n\r\n") == std::string::npos) {
        if (head->size() > kMaxRequestBytes) return false;
        const long n = receive_some(c, buffer, sizeof buffer);
        if (n <= 0) return false;
        head->append(buffer, static_cast<size_t>(n));
    }
    return true;
}

// Clients read the status code only; the phrase is there for a valid line.
const char* reason_phrase(int status) {
    return status < 300 ? "OK" : status < 400 ? "Redirect" : "Error";
}

std::string response_head(const http_route& route, uint64_t body_length) {
    std::string head = "HTTP/1.1 " + std::to_string(route.status) + " " +
                       reason_phrase(route.status) + "\r\nConnection: close\r\n";
    if (!route.location.empty()) head += "Location: " + route.location + "\r\n";
    if (route.send_length)
        head += "Content-Length: " + std::to_string(route.announced_length.value_or(body_length)) +
                "\r\n";
    return head + "\r\n";
}

// The client has closed (or sent more) once the socket turns readable.
bool client_left(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, kPollIntervalMs) > 0;
}

} // namespace

struct loopback_server_state {
    int listen_fd = -1;
    uint16_t port = 0;
    SSL_CTX* tls = nullptr;
    std::atomic<bool> stopping{false};
    std::thread acceptor;

    mutable std::mutex lock;
    std::condition_variable holds_changed;
    bool holds_released = false;
    std::map<std::string, http_route> routes;
    std::vector<recorded_request> requests;
    std::vector<std::thread> workers;

    void accept_loop();
    void serve(int fd);
    void answer(const connection& c, const std::string& head);
    bool send_body(const connection& c, const http_route& route, uint64_t length);
    void wait_for_release();
    void stall(int fd);
};

void loopback_server_state::accept_loop() {
    while (!stopping) {
        const int fd = accept(listen_fd, nullptr, nullptr);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        std::lock_guard guard(lock);
        workers.emplace_back([this, fd] { serve(fd); });
    }
}

void loopback_server_state::serve(int fd) {
    connection c{fd, nullptr};
    if (tls) {
        c.ssl = SSL_new(tls);
        SSL_set_fd(c.ssl, fd);
        if (SSL_accept(c.ssl) <= 0) {
            SSL_free(c.ssl);
            close(fd);
            return;
        }
    }
    std::string head;
    if (read_request_head(c, &head)) answer(c, head);
    if (c.ssl) SSL_free(c.ssl);
    if (c.fd >= 0) close(c.fd);
}

void loopback_server_state::answer(const connection& c, const std::string& head) {
    const size_t target_start = head.find(' ') + 1;
    recorded_request request;
    request.target = head.substr(target_start, head.find(' ', target_start) - target_start);
    request.user_agent = header_value(head, "User-Agent");

    http_route route{404, "no such file", {}, true};
    {
        std::lock_guard guard(lock);
        requests.push_back(request);
        const auto found = routes.find(request.target);
        if (found != routes.end()) route = found->second;
    }
    if (route.delay_ms) std::this_thread::sleep_for(std::chrono::milliseconds(route.delay_ms));

    const uint64_t length = route.pattern_length.value_or(route.body.size());
    const std::string response = response_head(route, length);
    if (!send_all(c, response.data(), response.size())) return;
    if (!send_body(c, route, length)) return;
    // A clean end: say goodbye, then wait for the client to close so the
    // last bytes are not lost to a reset.
    if (c.ssl) SSL_shutdown(c.ssl);
    shutdown(c.fd, SHUT_WR);
    while (!stopping && !client_left(c.fd)) {
    }
}

// Sends the body up to its end or up to the first scripted event.
bool loopback_server_state::send_body(const connection& c, const http_route& route,
                                      uint64_t length) {
    const std::string& source = route.pattern_length ? pattern_block() : route.body;
    uint64_t sent = 0;
    bool held = false;
    for (;;) {
        if (sent == route.hold_after && !held) {
            wait_for_release();
            held = true;
        }
        if (sent == route.stall_after) {
            stall(c.fd);
            return false;
        }
        if (sent == route.reset_after) {
            const linger reset{1, 0};
            setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            return false;
        }
        if (sent >= length) return true;
        uint64_t stop = length;
        for (const size_t event : {route.hold_after, route.stall_after, route.reset_after})
            if (event > sent && event < stop) stop = event;
        while (sent < stop) {
            const size_t offset = route.pattern_length ? sent % kPatternPeriod : sent;
            const size_t piece = std::min<uint64_t>(stop - sent, source.size() - offset);
            if (!send_all(c, source.data() + offset, piece)) return false;
            sent += piece;
        }
    }
}

void loopback_server_state::wait_for_release() {
    std::unique_lock guard(lock);
    holds_changed.wait(guard, [this] { return holds_released || stopping; });
}

void loopback_server_state::stall(int fd) {
    while (!stopping && !client_left(fd)) {
    }
}

loopback_http_server::loopback_http_server(const tls_identity* identity)
    : state_(std::make_unique<loopback_server_state>()) {
    std::signal(SIGPIPE, SIG_IGN);
    if (identity) {
        state_->tls = SSL_CTX_new(TLS_server_method());
        if (!state_->tls ||
            SSL_CTX_use_certificate_chain_file(state_->tls, identity->certificate_path.c_str()) !=
                1 ||
            SSL_CTX_use_PrivateKey_file(state_->tls, identity->key_path.c_str(),
                                        SSL_FILETYPE_PEM) != 1)
            return;
    }
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 64) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(fd);
        return;
    }
    state_->listen_fd = fd;
    state_->port = ntohs(address.sin_port);
    state_->acceptor = std::thread([s = state_.get()] { s->accept_loop(); });
}

loopback_http_server::~loopback_http_server() {
    state_->stopping = true;
    {
        std::lock_guard guard(state_->lock);
        state_->holds_changed.notify_all();
    }
    if (state_->listen_fd >= 0) {
        // Wakes the blocked accept().
        shutdown(state_->listen_fd, SHUT_RDWR);
        state_->acceptor.join();
        close(state_->listen_fd);
    }
    for (auto& worker : state_->workers)
        worker.join();
    if (state_->tls) SSL_CTX_free(state_->tls);
}

bool loopback_http_server::running() const {
    return state_->listen_fd >= 0;
}

void loopback_http_server::route(const std::string& target, const http_route& answer) {
    std::lock_guard guard(state_->lock);
    state_->routes[target] = answer;
}

std::string loopback_http_server::url(const std::string& target) const {
    return std::string(state_->tls ? "https" : "http") +
           "://127.0.0.1:" + std::to_string(state_->port) + target;
}

void loopback_http_server::release_holds() {
    std::lock_guard guard(state_->lock);
    state_->holds_released = true;
    state_->holds_changed.notify_all();
}

std::vector<recorded_request> loopback_http_server::requests() const {
    std::lock_guard guard(state_->lock);
    return state_->requests;
}

std::string pattern_bytes(uint64_t length) {
    std::string bytes(length, '\0');
    for (uint64_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(pattern_byte(i));
    return bytes;
}

} // namespace qor::test
