// What every downloader request shares.
#pragma once

namespace qor::qorget {

// User agents: downloads name the system, speed tests and searches only the tool.
inline constexpr const char* kDownloadUserAgent = "Qorget/6.0 (Windows; QorOS v6.0)";
inline constexpr const char* kProbeUserAgent = "Qorget/6.0";

// Only a 2xx answer carries what was asked for; anything else (an error page
// included) is a failed request.
inline bool is_success_status(long status) {
    return status >= 200 && status <= 299;
}

} // namespace qor::qorget
