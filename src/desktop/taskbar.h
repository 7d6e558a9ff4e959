// The taskbar along the bottom edge: start button, one button per open
// window (minimised ones too), clock, version label and M: indicator.
#pragma once

#include "host/host_time.h"

namespace qor::desktop {

// The slot whose taskbar button holds the point, or -1.
int taskbar_slot_at(int x, int y);

void render_taskbar();

// Where the clock reads the time; tests put a fixed time here.
using taskbar_clock_source = qor::host::local_time (*)();
extern taskbar_clock_source g_taskbar_clock;

} // namespace qor::desktop
