// Reading package headers and listing the installed packages.
#include "appfmt/file_copy.h"
#include "appfmt/package_header.h"
#include "host/host_fs.h"

#include <cstring>
#include <qoros/qor_log.h>
#include <qoros/qor_package.h>
#include <string>
#include <vector>

namespace {

// "*.qpa" as the Windows host matches it: any name ending in ".qpa", in any
// letter case.
bool has_package_suffix(const std::string& name) {
    static constexpr char kSuffix[] = ".qpa";
    const size_t n = sizeof kSuffix - 1;
    if (name.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = name[name.size() - n + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kSuffix[i]) return false;
    }
    return true;
}

} // namespace

extern "C" int qpa_read_header(const char* path, qpa_header* out) {
    if (!path || !out) return QOR_ERR_INVALID_ARG;
    const qor::appfmt::scoped_file file(qor::host::open_file(path, qor::host::open_mode::read));
    if (!file.valid()) return QOR_ERR_IO;
    const int64_t got = qor::appfmt::read_fully(file.file, out, sizeof *out);
    if (got < 0) return QOR_ERR_IO;
    if (got < static_cast<int64_t>(sizeof *out)) return QOR_ERR_INVALID_ARG;
    return qor::appfmt::has_package_magic(*out) ? QOR_OK : QOR_ERR_INVALID_ARG;
}

extern "C" int qpa_list_installed(qpa_header* list, uint32_t capacity, uint32_t* count) {
    if (!list || !count) return QOR_ERR_INVALID_ARG;
    const char* dir = qor_apps_get_dir();
    *count = 0;
    std::vector<qor::host::folder_entry> entries;
    if (!*dir || !qor::host::list_folder(dir, &entries)) return QOR_OK;
    uint32_t stored = 0;
    for (const auto& entry : entries) {
        if (stored >= capacity) break;
        if (!has_package_suffix(entry.name)) continue;
        const std::string path = std::string(dir) + qor::host::kPathSeparator + entry.name;
        // A file that is not a package leaves its slot for the next one.
        if (qpa_read_header(path.c_str(), &list[stored]) == QOR_OK) ++stored;
    }
    *count = stored;
    return QOR_OK;
}
