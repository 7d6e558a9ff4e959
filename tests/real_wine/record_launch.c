/* A tiny Windows console program for the real-Wine tests: it records the
 * folder it was started in and its arguments, one per line, in launch.txt
 * inside that folder, so a test can see how a package was launched.
 * Written through a temporary name and renamed, so a test polling for
 * launch.txt never reads half of it. */
#include <direct.h>
#include <stdio.h>

int main(int argc, char** argv) {
    char folder[1024];
    if (!_getcwd(folder, sizeof folder)) return 1;
    FILE* out = fopen("launch.tmp", "w");
    if (!out) return 1;
    fprintf(out, "folder=%s\n", folder);
    for (int i = 1; i < argc; ++i)
        fprintf(out, "arg%d=%s\n", i, argv[i]);
    if (fclose(out) != 0) return 1;
    return rename("launch.tmp", "launch.txt") == 0 ? 0 : 1;
}
