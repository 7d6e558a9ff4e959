// Path arithmetic of the explorer: joining, going up and the address text.
#include "desktop/explorer_paths.h"

#include "host/host_fs.h"

#include <cstdio>
#include <cstring>

namespace qor::desktop {

namespace {

constexpr char kSep = qor::host::kPathSeparator;

bool fits_whole(int written, size_t size) {
    return written >= 0 && static_cast<size_t>(written) < size;
}

} // namespace

bool explorer_join(const char* folder, const char* name, char (&out)[QOR_PATH_MAX]) {
    const int n = std::snprintf(out, sizeof out, "%s%c%s", folder, kSep, name);
    if (fits_whole(n, sizeof out)) return true;
    out[0] = '\0';
    return false;
}

bool explorer_parent(const char* path, char (&out)[QOR_PATH_MAX]) {
    std::snprintf(out, sizeof out, "%s", path);
    size_t len = std::strlen(out);
    while (len > 1 && out[len - 1] == kSep)
        out[--len] = '\0';

    char* last = std::strrchr(out, kSep);
    // No separator (a drive root such as "C:") or only the root separator
    // itself: there is no folder above.
    if (!last || (last == out && len == 1)) return false;
    *last = '\0';
    len = std::strlen(out);
    const bool drive_designator = len == 2 && out[1] == ':';
    if (len == 0 || drive_designator) {
        out[len] = kSep;
        out[len + 1] = '\0';
    }
    return true;
}

void explorer_address_text(const char* path, const char* home, char (&out)[QOR_PATH_MAX]) {
    const size_t home_len = std::strlen(home);
    // Only the home folder itself or a folder below it counts: a sibling such
    // as ".../homet2" merely shares the prefix.
    const bool in_home = home_len > 0 && std::strncmp(path, home, home_len) == 0 &&
                         (path[home_len] == '\0' || path[home_len] == kSep);
    if (!in_home) {
        std::snprintf(out, sizeof out, "%s", path);
    } else if (path[home_len] == '\0' || path[home_len + 1] == '\0') {
        std::snprintf(out, sizeof out, "homet");
    } else {
        std::snprintf(out, sizeof out, "homet > %s", path + home_len + 1);
    }
}

} // namespace qor::desktop
