// Test helper: prints what a package file is, for scripts that check files
// left by interrupted conversions: "valid <name> <exe size>" for a package
// that verifies, "invalid <header result>" for anything else. Exit code 0 / 1.
#include <qoros/qor_package.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    qpa_header header;
    const int read = qpa_read_header(argv[1], &header);
    if (read != QOR_OK || !qpa_verify(argv[1])) {
        std::printf("invalid %d\n", read);
        return 1;
    }
    std::printf("valid %.*s %llu\n", static_cast<int>(sizeof header.name), header.name,
                static_cast<unsigned long long>(header.exe_size));
    return 0;
}
