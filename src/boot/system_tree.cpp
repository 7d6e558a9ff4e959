// Builds <temp>/QorOS with its Logs, Temp and Apps folders once per process.
// Each folder is checked before use (a real folder of this user's, writable
// by nobody else); one that fails stays unused, with its path left empty so
// every operation on it fails with an I/O error, and the reason is kept for
// boot to report.
#include "boot/system_tree.h"

#include "boot/bounded_text.h"
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <cstdio>
#include <mutex>
#include <qoros/qor_log.h>
#include <qoros/qor_types.h>
#include <string>

namespace {

char g_log_dir[QOR_PATH_MAX];
char g_temp_dir[QOR_PATH_MAX];
char g_apps_dir[QOR_PATH_MAX];
std::vector<std::string> g_tree_problems;
std::once_flag g_dirs_once;

// True when the folder may be used; otherwise the reason is kept for boot.
bool use_private_folder(const char* path) {
    std::string problem;
    if (qor::host::use_private_folder(path, &problem)) return true;
    g_tree_problems.push_back(std::move(problem));
    return false;
}

void build_tree() {
    const qor::host::user_folder base = qor::host::private_temp_folder();
    if (base.path.empty()) {
        std::fprintf(stderr, "  %s\n", base.problem.c_str());
        g_tree_problems.push_back(base.problem);
        return;
    }

    const char sep = qor::host::kPathSeparator;
    char root[QOR_PATH_MAX];
    // A path that does not fit stays empty, so later operations fail with
    // an I/O error instead of writing into a cut-off folder name.
    if (!qor::format_whole(root, "%sQorOS", base.path.c_str()) || !use_private_folder(root)) return;
    qor::format_whole(g_log_dir, "%s%cLogs", root, sep);
    qor::format_whole(g_temp_dir, "%s%cTemp", root, sep);
    qor::format_whole(g_apps_dir, "%s%cApps", root, sep);
    for (char* dir : {g_log_dir, g_temp_dir, g_apps_dir})
        if (*dir && !use_private_folder(dir)) *dir = '\0';
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

namespace qor {

const std::vector<std::string>& system_tree_problems() {
    qpa_ensure_dirs();
    return g_tree_problems;
}

} // namespace qor
