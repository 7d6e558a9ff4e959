// The ordered start of every subsystem, each announced on the console.
#pragma once

#include <span>

// Runs the boot steps in order; 0 when all succeeded, else the code of the
// first failing step (the later steps do not run).
int init_subsystems();

// One stage of the boot: prints its lines, starts its subsystem, and returns
// 0 or the code that stops the boot.
using boot_step = int (*)();

// The stages in boot order. Tests replace one with a failing stand-in to
// check that a failure stops the boot where it happens.
std::span<boot_step> boot_steps();
