#include "boot/boot_paths.h"

#include "boot/bounded_text.h"
#include "host/host_fs.h"

#include <string>

char g_bootsys_dir[QOR_PATH_MAX];
char g_homet_dir[QOR_PATH_MAX];
char g_firefox_qpa[QOR_PATH_MAX];

namespace {

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
    const std::string folder = program_folder();
    const char sep = qor::host::kPathSeparator;
    // A path that does not fit is left empty rather than cut short.
    qor::format_whole(g_bootsys_dir, "%s%cbootsys", folder.c_str(), sep);
    qor::format_whole(g_homet_dir, "%s%cbootsys%chomet", folder.c_str(), sep, sep);
    qor::format_whole(g_firefox_qpa, "%s%cbootsys%capps%cfirefox.qpa", folder.c_str(), sep, sep,
                      sep);
}

void init_directories() {
    // Without a bootsys path the folders would land at the root of the host.
    if (!*g_bootsys_dir) return;
    qor::host::create_folder(g_bootsys_dir);
    for (const char* relative : kTreeFolders) {
        char path[QOR_PATH_MAX];
        const std::string suffix = with_host_separators(relative);
        if (qor::format_whole(path, "%s%c%s", g_bootsys_dir, qor::host::kPathSeparator,
                              suffix.c_str()))
            qor::host::create_folder(path);
    }
}

bool qor_file_exists(const char* path) {
    return path && *path && qor::host::query_path(path, nullptr);
}
