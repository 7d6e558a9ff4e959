// The desktop frame described as parts, each with the area it covers and a
// signature of everything its pixels depend on: the icons, every window's
// frame and content, the start menu and the taskbar. Two descriptions taken
// before and after a change tell which areas must be drawn again.
#pragma once

#include <array>
#include <cstdint>

#include <qoros/qor_graphics.h>

#include "desktop/app_windows.h"

namespace qor::desktop {

struct scene_part {
    qor_rect area; // empty (w = 0) for a part that is not shown
    uint64_t signature;
};

// Per slot: the frame, the content and one row of the content that changes
// alone (the terminal's input line); then the icons, menu and taskbar.
constexpr int kScenePartsPerSlot = 3;
constexpr int kScenePartCount = kScenePartsPerSlot * kAppWindowSlots + 3;
using scene = std::array<scene_part, kScenePartCount>;

// The current state as parts (after update_frame_inputs).
scene describe_scene();

// Calls add(area) for every area that shows something else in `now` than in
// `before`: the old and the new area of each part that changed.
template <typename AddArea>
void for_each_changed_area(const scene& before, const scene& now, AddArea add) {
    for (int i = 0; i < kScenePartCount; ++i) {
        const scene_part& a = before[i];
        const scene_part& b = now[i];
        const bool same_area = a.area.x == b.area.x && a.area.y == b.area.y &&
                               a.area.w == b.area.w && a.area.h == b.area.h;
        if (same_area && a.signature == b.signature) continue;
        if (a.area.w > 0 && a.area.h > 0) add(a.area);
        if (b.area.w > 0 && b.area.h > 0) add(b.area);
    }
}

} // namespace qor::desktop
