// dorvane: converts a Windows program into a .qpa package.
#include "command_line.h"

#include <qoros/qor_package.h>

#include <cstdio>

int main(int argc, char** argv) {
    dorvane::options opts;
    if (!dorvane::parse_command_line(argc, argv, &opts)) {
        dorvane::print_usage(argc > 0 && argv[0] ? argv[0] : "dorvane");
        return 1;
    }
    std::printf("Converting: %s -> %s\n", opts.input, opts.output);
    std::printf("  Name:     %s\n", opts.name);
    std::printf("  Version:  %s\n", opts.version);
    std::printf("  Author:   %s\n", opts.author);
    std::printf("  Category: %s\n", opts.category);
    const int result =
        qpa_convert_exe(opts.input, opts.output, opts.name, opts.version, opts.author,
                        opts.description, opts.icon, opts.category, opts.flags);
    if (result == QOR_OK) {
        std::printf("\nConversion successful!\n");
        return 0;
    }
    std::printf("\nConversion failed with error code: %d\n", result);
    return 1;
}
