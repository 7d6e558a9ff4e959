// Console texts of Tarnwick: the version lines and the boot banner.
#pragma once

// The four lines of --version on standard output.
void print_version();
// The framed banner and the start lines, on standard output.
void print_banner();
