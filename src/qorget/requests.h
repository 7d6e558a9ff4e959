// What every downloader request shares.
#pragma once

#include <cstring>

namespace qor::qorget {

// User agents: downloads name the system, speed tests and searches only the tool.
inline constexpr const char* kDownloadUserAgent = "Qorget/6.0 (Windows; QorOS v6.0)";
inline constexpr const char* kProbeUserAgent = "Qorget/6.0";

// Only a 2xx answer carries what was asked for; anything else (an error page
// included) is a failed request.
inline bool is_success_status(long status) {
    return status >= 200 && status <= 299;
}

// A package name becomes one segment of a URL path. Every byte outside the
// unreserved set is percent-encoded, so only an empty name, "." and ".."
// (dot segments, which URL handling removes) would change the path.
inline bool is_one_path_segment(const char* name) {
    return *name != '\0' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0;
}

} // namespace qor::qorget
