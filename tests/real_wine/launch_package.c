/* Launches a package with qpa_run_app the way the desktop does, with a
 * working folder and parameters, and exits with the result code's absolute
 * value (0 when the launch was handed to Wine).
 * Arguments: package, working folder, parameters. */
#include <qoros/qor_package.h>
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s <package.qpa> <working folder> <parameters>\n", argv[0]);
        return 100;
    }
    const int rc = qpa_run_app(argv[1], argv[2], argv[3]);
    printf("qpa_run_app: %d\n", rc);
    return rc < 0 ? -rc : rc;
}
