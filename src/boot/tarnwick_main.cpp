// Tarnwick: the QorOS desktop program.
#include "boot/boot_modes.h"

int main(int argc, char** argv) {
    switch (choose_mode(argc, argv)) {
    case run_mode::version:
        return run_version();
    case run_mode::headless:
        return run_headless();
    case run_mode::desktop:
        break;
    }
    return run_desktop();
}
