// Per-user folders on Linux. A shared /tmp lets any other user plant links
// and folders under the names QorOS uses, so the state lives in the user's
// own XDG folders instead (or in $TMPDIR for those who choose one), and each
// folder QorOS makes or reuses there is checked with lstat: never through a
// link, owned by this user, writable by nobody else.
#include "host/host_fs.h"
#include "host/host_private_folders.h"
#include "host/host_system_folders.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace qor::host {

namespace {

bool is_absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// Makes the missing folders of an absolute path, as `mkdir -p` does; new
// ones are private. The path's own layout (links included) is the user's.
void make_parents(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
    mkdir(path.c_str(), 0700);
}

// ${variable:-$HOME/home_relative}/qoros/, created and checked. A relative
// value of the variable is ignored, as the XDG rules say.
user_folder xdg_qoros_folder(const char* variable, const char* home_relative, const char* way_out) {
    const char* xdg = std::getenv(variable);
    std::string base;
    if (is_absolute(xdg)) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!is_absolute(home))
            return {{},
                    std::string("QorOS has no folder of its own: HOME is not set to an "
                                "absolute path; set ") +
                        way_out + " to a private folder of yours.",
                    false};
        base = std::string(home) + "/" + home_relative;
    }
    make_parents(base);
    const std::string folder = base + "/qoros";
    const folder_state state = make_private_folder(folder.c_str());
    if (state != folder_state::usable) return {{}, private_folder_problem(folder, state), false};
    return {folder + "/", {}, true};
}

} // namespace

folder_state make_private_folder(const char* path) {
    if (mkdir(path, 0700) != 0 && errno != EEXIST) return folder_state::cannot_create;
    struct stat st {};
    if (lstat(path, &st) != 0) return folder_state::cannot_create;
    if (S_ISLNK(st.st_mode)) return folder_state::link;
    if (!S_ISDIR(st.st_mode)) return folder_state::not_a_folder;
    if (st.st_uid != geteuid()) return folder_state::foreign_owner;
    if (st.st_mode & (S_IWGRP | S_IWOTH)) return folder_state::open_to_others;
    return folder_state::usable;
}

user_folder private_temp_folder() {
    const char* chosen = std::getenv("TMPDIR");
    if (chosen && *chosen) {
        std::string path = chosen;
        if (path.back() != '/') path += '/';
        return {path, {}, true};
    }
    return xdg_qoros_folder("XDG_STATE_HOME", ".local/state", "TMPDIR");
}

std::string temp_folder() {
    return private_temp_folder().path;
}

user_folder bootsys_parent(const std::string& program_folder) {
    // Root may write anywhere, but a folder the package manager owns is no
    // place for a user's files.
    if (!program_folder.empty() && access(program_folder.c_str(), W_OK) == 0 &&
        !lies_under(program_folder, protected_system_folders()))
        return {program_folder + "/", {}, false};
    return xdg_qoros_folder("XDG_DATA_HOME", ".local/share", "XDG_DATA_HOME");
}

} // namespace qor::host
