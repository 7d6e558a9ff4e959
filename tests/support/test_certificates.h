// A throw-away certificate authority and a server identity for 127.0.0.1,
// made with the openssl tool when a test needs HTTPS.
#pragma once

#include "support/loopback_http_server.h"

#include <filesystem>
#include <string>

namespace qor::test {

struct test_certificates {
    std::string authority_path; // the CA certificate clients should trust
    tls_identity server;        // signed by that authority
};

// False when the openssl tool fails; its output goes to openssl.log there.
bool make_test_certificates(const std::filesystem::path& folder, test_certificates* out);

} // namespace qor::test
