// Moving the explorer between folders. Navigation goes through the process
// directory, so the terminal's relative "cd" resolves against it too.
#include "desktop/explorer.h"
#include "desktop/explorer_paths.h"

#include "host/host_fs.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace qor::desktop {

void files_navigate(const char* path) {
    std::string previous;
    const bool know_previous = qor::host::current_folder(&previous);
    if (!qor::host::change_folder(path)) return;

    // The host canonicalises the folder; adopt its spelling. A name that does
    // not fit the path field would be stored cut and name another folder, so
    // such a move is undone instead.
    std::string now;
    if (!qor::host::current_folder(&now) || now.size() >= sizeof g_files.path) {
        if (know_previous) qor::host::change_folder(previous.c_str());
        return;
    }
    std::memcpy(g_files.path, now.c_str(), now.size() + 1);
    g_files.scroll = 0;
    files_refresh();
}

void files_go_up() {
    char above[QOR_PATH_MAX];
    if (explorer_parent(g_files.path, above)) files_navigate(above);
}

void files_show_home() {
    std::snprintf(g_files.path, sizeof g_files.path, "%s", g_homet_dir);
    files_refresh();
    g_files.sidebar_selected = 0;
}

} // namespace qor::desktop
