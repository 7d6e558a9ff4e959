// The loopback server as a program of its own, for the tests that run
// outside the test process (the WinINet client under Wine, the installed
// library). Prints its port on the first line, then serves until killed:
//   /bytes/<n>            200 with n bytes (i * 7 + 3) % 256, n = 0, 300,
//                         1000 or 300000
//   /status/404           404 with a short text
//   /redirect/bytes/1000  302 to /bytes/1000
//   /short/5000           announces 5000 bytes, sends 10, closes
#include "support/loopback_http_server.h"

#include <cstdio>
#include <unistd.h>

namespace {

std::string counting_bytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 256);
    return bytes;
}

} // namespace

int main() {
    using qor::test::http_route;
    qor::test::loopback_http_server server;
    if (!server.running()) return 1;
    for (const size_t size : {0, 300, 1000, 300000})
        server.route("/bytes/" + std::to_string(size), {200, counting_bytes(size)});
    server.route("/status/404", {404, "status page"});
    http_route redirect{302};
    redirect.location = "/bytes/1000";
    server.route("/redirect/bytes/1000", redirect);
    http_route short_body{200, "0123456789"};
    short_body.announced_length = 5000;
    server.route("/short/5000", short_body);

    const std::string base = server.url("");
    std::printf("%s\n", base.substr(base.rfind(':') + 1).c_str());
    std::fflush(stdout);
    for (;;)
        pause();
}
