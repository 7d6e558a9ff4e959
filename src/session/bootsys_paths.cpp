// The bootsys tree: beside the program when the user may write there,
// otherwise (an installed program) in the user's data folder, where it is
// built from private folders like the rest of QorOS's own state.
#include "session/bootsys_paths.h"

#include "boot/bounded_text.h"
#include "host/host_fs.h"
#include "host/host_private_folders.h"

#include <cstdio>
#include <string>

char g_bootsys_dir[QOR_PATH_MAX];
char g_homet_dir[QOR_PATH_MAX];
char g_firefox_qpa[QOR_PATH_MAX];

namespace {

// The tree lies in a folder of the user's own: each of its folders is
// checked (this user's, not a link) before use.
bool g_private_tree = false;

// The program file's path without its last separator and name; a path with
// no separator is used whole.
std::string program_folder() {
    std::string path = qor::host::program_file();
    const size_t cut = path.rfind(qor::host::kPathSeparator);
    if (cut != std::string::npos) path.resize(cut);
    return path;
}

// Folders beneath bootsys, parents before their children.
constexpr const char* kTreeFolders[] = {
    "Logs",           "Temp",          "apps",   "homet", "homet/Documents", "homet/Downloads",
    "homet/Pictures", "homet/Desktop", "kernel", "qor",   "security",        "asm",
    "csharp",         "diskmount",     "qorget", "math",  "appfmt",          "config",
};

std::string with_host_separators(const char* relative) {
    std::string text = relative;
    for (char& c : text)
        if (c == '/') c = qor::host::kPathSeparator;
    return text;
}

} // namespace

void init_paths() {
    const qor::host::user_folder parent = qor::host::bootsys_parent(program_folder());
    g_private_tree = parent.private_tree;
    if (parent.path.empty()) {
        // No place for the tree: the paths stay empty and nothing is made.
        std::fprintf(stderr, "  %s\n", parent.problem.c_str());
        return;
    }
    const char* base = parent.path.c_str();
    const char sep = qor::host::kPathSeparator;
    // A path that does not fit is left empty rather than cut short.
    qor::format_whole(g_bootsys_dir, "%sbootsys", base);
    qor::format_whole(g_homet_dir, "%sbootsys%chomet", base, sep);
    qor::format_whole(g_firefox_qpa, "%sbootsys%capps%cfirefox.qpa", base, sep, sep);
}

namespace {

// A refused folder of a private tree is not used: the paths are cleared and
// nothing more is made, so no folder is ever created through it.
void forget_tree() {
    g_bootsys_dir[0] = g_homet_dir[0] = g_firefox_qpa[0] = '\0';
}

} // namespace

void init_directories() {
    // Without a bootsys path the folders would land at the root of the host.
    if (!*g_bootsys_dir) return;
    const auto make = [](const char* path) {
        if (!g_private_tree) {
            qor::host::create_folder(path);
            return true;
        }
        return qor::host::use_private_folder(path);
    };
    if (!make(g_bootsys_dir)) return forget_tree();
    for (const char* relative : kTreeFolders) {
        char path[QOR_PATH_MAX];
        const std::string suffix = with_host_separators(relative);
        if (qor::format_whole(path, "%s%c%s", g_bootsys_dir, qor::host::kPathSeparator,
                              suffix.c_str()) &&
            !make(path))
            return forget_tree();
    }
}

bool qor_file_exists(const char* path) {
    return path && *path && qor::host::query_path(path, nullptr);
}
