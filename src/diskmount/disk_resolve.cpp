// Drive-letter paths resolved into the virtual drive's folders.
#include "diskmount/disk_table.h"

#include "host/host_fs.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// A ".." segment would climb out of the drive's folder.
bool climbs_out(std::string_view rest) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !is_separator(rest[end]))
            ++end;
        if (rest.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

// Both separators become the host's, so "C:\Users\a" and "C:/Users/a" agree.
std::string with_host_separators(std::string_view rest) {
    std::string out(rest);
    for (char& c : out) {
        if (is_separator(c)) c = qor::host::kPathSeparator;
    }
    return out;
}

} // namespace

extern "C" int qor_disk_resolve_path(const char* path, char** out_resolved) {
    if (!path || !out_resolved) return QOR_ERR_INVALID_ARG;
    if (!qor::diskmount::is_mounted()) return QOR_ERR_DISK;

    char letter = path[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z' || path[1] != ':') return QOR_ERR_INVALID_ARG;

    std::string_view rest(path + 2);
    if (!rest.empty() && is_separator(rest.front())) rest.remove_prefix(1);
    if (climbs_out(rest)) return QOR_ERR_INVALID_ARG;

    const qor_disk_entry* drive = qor::diskmount::find_drive(letter);
    if (!drive) return QOR_ERR_NOT_FOUND;

    const std::string resolved = std::string(drive->mount_path ? drive->mount_path : "") +
                                 qor::host::kPathSeparator + with_host_separators(rest);
    // Cutting the path short would name a different file.
    if (resolved.size() >= QOR_PATH_MAX) return QOR_ERR_INVALID_ARG;

    char* copy = static_cast<char*>(std::malloc(resolved.size() + 1));
    if (!copy) return QOR_ERR_NO_MEMORY;
    std::memcpy(copy, resolved.c_str(), resolved.size() + 1);
    *out_resolved = copy;
    return QOR_OK;
}
