// Builds <temp>/QorOS with its Logs, Temp and Apps folders once per process.
#include "boot/bounded_text.h"
#include "host/host_fs.h"

#include <mutex>
#include <qoros/qor_log.h>
#include <qoros/qor_types.h>
#include <string>

namespace {

char g_log_dir[QOR_PATH_MAX];
char g_temp_dir[QOR_PATH_MAX];
char g_apps_dir[QOR_PATH_MAX];
std::once_flag g_dirs_once;

// Used only when the host names no temporary folder at all.
constexpr const char* fallback_base() {
    return qor::host::kPathSeparator == '\\' ? "C:\\Temp\\QorOS\\" : "/tmp/QorOS/";
}

void build_tree() {
    char base[QOR_PATH_MAX];
    const std::string host_temp = qor::host::temp_folder();
    qor::copy_bounded(base, sizeof base, host_temp.empty() ? fallback_base() : host_temp.c_str());

    const char sep = qor::host::kPathSeparator;
    char root[QOR_PATH_MAX];
    if (qor::format_whole(root, "%sQorOS", base)) qor::host::create_folder(root);
    // A path that does not fit stays empty, so later operations fail with
    // an I/O error instead of writing into a cut-off folder name.
    qor::format_whole(g_log_dir, "%sQorOS%cLogs", base, sep);
    qor::format_whole(g_temp_dir, "%sQorOS%cTemp", base, sep);
    qor::format_whole(g_apps_dir, "%sQorOS%cApps", base, sep);
    for (const char* dir : {g_log_dir, g_temp_dir, g_apps_dir})
        if (*dir) qor::host::create_folder(dir);
}

} // namespace

extern "C" void qpa_ensure_dirs(void) {
    // Logging may start on several threads at once; the tree is built once.
    std::call_once(g_dirs_once, build_tree);
}

extern "C" const char* qor_log_get_dir(void) {
    qpa_ensure_dirs();
    return g_log_dir;
}

extern "C" const char* qor_temp_get_dir(void) {
    qpa_ensure_dirs();
    return g_temp_dir;
}

extern "C" const char* qor_apps_get_dir(void) {
    qpa_ensure_dirs();
    return g_apps_dir;
}
