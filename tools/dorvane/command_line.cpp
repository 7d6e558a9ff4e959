#include "command_line.h"

#include <qoros/qor_package.h>

#include <cstdio>
#include <cstring>

namespace dorvane {

namespace {

// The field a value option sets, or null for any other argument.
const char** value_field(const char* arg, options* opts) {
    if (std::strcmp(arg, "-n") == 0) return &opts->name;
    if (std::strcmp(arg, "-v") == 0) return &opts->version;
    if (std::strcmp(arg, "-a") == 0) return &opts->author;
    if (std::strcmp(arg, "-d") == 0) return &opts->description;
    if (std::strcmp(arg, "-i") == 0) return &opts->icon;
    if (std::strcmp(arg, "-c") == 0) return &opts->category;
    return nullptr;
}

int flag_of(const char* arg) {
    if (std::strcmp(arg, "-g") == 0) return QPA_FLAG_GUI;
    if (std::strcmp(arg, "-m") == 0) return QPA_FLAG_MDRIVE;
    if (std::strcmp(arg, "--admin") == 0) return QPA_FLAG_ADMIN;
    return 0;
}

} // namespace

const char* name_from_path(const char* path) {
    if (const char* backslash = std::strrchr(path, '\\')) return backslash + 1;
    if (const char* slash = std::strrchr(path, '/')) return slash + 1;
    return path;
}

bool parse_command_line(int argc, char** argv, options* out) {
    if (argc < 3) return false;
    out->input = argv[1];
    out->output = argv[2];
    for (int i = 3; i < argc; ++i) {
        if (const char** field = value_field(argv[i], out)) {
            // A value option takes the next argument whatever it looks like.
            if (i + 1 < argc) *field = argv[++i];
            continue;
        }
        out->flags |= flag_of(argv[i]);
    }
    if (out->name == nullptr) out->name = name_from_path(out->input);
    return true;
}

void print_usage(const char* program) {
    std::printf("QorApp Converter v7.0 - EXE to QPA format converter\n");
    std::printf("Usage: %s <input.exe> <output.qpa> [options]\n", program);
    std::printf("Options:\n");
    std::printf("  -n <name>        Application name\n");
    std::printf("  -v <version>     Application version\n");
    std::printf("  -a <author>      Application author\n");
    std::printf("  -d <desc>        Application description\n");
    std::printf("  -i <icon.ico>    Icon file path\n");
    std::printf("  -c <category>    Application category\n");
    std::printf("  -g               GUI application flag\n");
    std::printf("  -m               Need M-drive flag\n");
    std::printf("  --admin          Need admin privileges\n");
}

} // namespace dorvane
