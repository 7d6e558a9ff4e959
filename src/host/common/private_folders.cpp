// What a refused private folder is told to the user, and the path test that
// decides whether a program sits in a system folder. No host code here: both
// backends and the callers of the host layer share these.
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <cstdio>

namespace qor::host {

namespace {

struct state_text {
    const char* what;
    const char* to_do;
};

state_text text_for(folder_state state) {
    switch (state) {
    case folder_state::cannot_create:
        return {"it cannot be created", "check the permissions of the folder above it"};
    case folder_state::not_a_folder:
        return {"something that is not a folder holds its name", "move that away"};
    case folder_state::link:
        return {"it is a symbolic link", "remove the link; QorOS then makes a private folder"};
    case folder_state::foreign_owner:
        return {"it belongs to another user",
                "have it removed; QorOS then makes a private folder of yours"};
    case folder_state::open_to_others:
        return {"other users may write into it", "make it private (chmod go-w)"};
    case folder_state::usable:
        break;
    }
    return {"", ""};
}

} // namespace

std::string private_folder_problem(const std::string& path, folder_state state) {
    if (state == folder_state::usable) return {};
    const state_text text = text_for(state);
    return "QorOS will not use " + path + ": " + text.what + "; " + text.to_do + ".";
}

bool use_private_folder(const char* path, std::string* problem) {
    const folder_state state = make_private_folder(path);
    if (state == folder_state::usable) return true;
    std::string text = private_folder_problem(path, state);
    std::fprintf(stderr, "  %s\n", text.c_str());
    if (problem) *problem = std::move(text);
    return false;
}

bool lies_under(const std::string& path, std::span<const char* const> prefixes) {
    for (const char* prefix : prefixes) {
        const std::string folder = prefix;
        if (path.compare(0, folder.size(), folder) != 0) continue;
        if (path.size() == folder.size() || path[folder.size()] == kPathSeparator) return true;
    }
    return false;
}

} // namespace qor::host
