// The incremental frame: compares the scene described now with the one last
// drawn, collects the changed areas in a short damage list, and draws and
// presents only those areas.
#include "desktop/frame_update.h"

#include "desktop/desktop_render.h"
#include "desktop/frame_inputs.h"
#include "desktop/scene_parts.h"
#include "host/host_time.h"
#include "host/host_window.h"

#include <algorithm>

namespace qor::desktop {

namespace {

// An idle desktop still notices, a few times a second, what other programs
// change in the folders it shows.
constexpr uint32_t kOutsideLookIntervalMs = 250;

scene g_drawn_scene{};
bool g_drawn_scene_known = false;
uint32_t g_last_outside_look_ms = 0;

bool time_to_look_outside(bool asked) {
    const uint32_t now = qor::host::tick_count_ms();
    if (!asked && g_drawn_scene_known && now - g_last_outside_look_ms < kOutsideLookIntervalMs)
        return false;
    g_last_outside_look_ms = now;
    return true;
}

// A few rectangles that together hold every changed area; overlapping ones
// are merged, and past the limit everything becomes one bounding rectangle.
class damage {
  public:
    void add(const qor_rect& r) {
        qor_rect grown = clip_to_desktop(r);
        if (grown.w <= 0 || grown.h <= 0) return;
        for (int i = 0; i < count_;) {
            if (rects_overlap(rects_[i], grown)) {
                grown = bounding(rects_[i], grown);
                rects_[i] = rects_[--count_];
                i = 0;
            } else {
                ++i;
            }
        }
        if (count_ == kMost) {
            for (int i = 1; i < count_; ++i)
                rects_[0] = bounding(rects_[0], rects_[i]);
            count_ = 1;
            rects_[0] = bounding(rects_[0], grown);
            return;
        }
        rects_[count_++] = grown;
    }
    int count() const { return count_; }
    const qor_rect& operator[](int i) const { return rects_[i]; }

  private:
    static constexpr int kMost = 8;
    static qor_rect clip_to_desktop(const qor_rect& r) {
        const int left = std::max(r.x, 0), top = std::max(r.y, 0);
        const int right = std::min(r.x + r.w, kDesktopWidth);
        const int bottom = std::min(r.y + r.h, kDesktopHeight);
        return {left, top, right - left, bottom - top};
    }
    static qor_rect bounding(const qor_rect& a, const qor_rect& b) {
        const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
        const int right = std::max(a.x + a.w, b.x + b.w);
        const int bottom = std::max(a.y + a.h, b.y + b.h);
        return {left, top, right - left, bottom - top};
    }
    qor_rect rects_[kMost];
    int count_ = 0;
};

} // namespace

void desktop_frame_update(bool look_outside) {
    if (!g_main_ctx) return;
    update_frame_inputs(time_to_look_outside(look_outside));
    const scene now = describe_scene();
    damage changed;
    if (!g_drawn_scene_known) {
        changed.add({0, 0, kDesktopWidth, kDesktopHeight});
    } else {
        for_each_changed_area(g_drawn_scene, now,
                              [&changed](const qor_rect& r) { changed.add(r); });
    }
    g_drawn_scene = now;
    g_drawn_scene_known = true;
    for (int i = 0; i < changed.count(); ++i) {
        const qor_rect& r = changed[i];
        draw_desktop_area(r);
        qor::host::window_invalidate_area(r.x, r.y, r.w, r.h);
    }
}

void desktop_frame_forget() {
    g_drawn_scene_known = false;
}

} // namespace qor::desktop
