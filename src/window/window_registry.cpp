// The window registry: a fixed table of 64 windows under one lock. Each
// window owns a rendering context of its own size; the registry alone creates,
// clears, replaces and destroys it.
#include "window/window_count.h"
#include "window/window_probe.h"

#include <qoros/qor_window.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

constexpr qor_color kOpaqueBlack = {0, 0, 0, 255};
constexpr const char* kDefaultTitle = "QorOS Window";

struct window_record {
    qor_window_info info;
    qor_context* context;
    bool used;
};

struct window_registry {
    std::mutex lock; // guards the table, g_active_window's changes and next_id
    window_record windows[QOR_WINDOW_MAX] = {};
    int32_t next_id = 1;
};

std::once_flag g_wnd_init;
// Set up on first use and never torn down (no shutdown of its own).
window_registry* g_windows = nullptr;
// Changed under the lock; atomic because qor_window_get_active reads it
// without the lock, and the system information reads the count the same way.
std::atomic<int32_t> g_active_window{0};
std::atomic<int32_t> g_window_count{0};

window_registry& registry() {
    std::call_once(g_wnd_init, [] { g_windows = new window_registry; });
    return *g_windows;
}

// A heap copy, or nullptr when the input is null or memory runs out.
char* copy_string(const char* text) {
    if (!text) return nullptr;
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy) std::memcpy(copy, text, size);
    return copy;
}

window_record* find_locked(window_registry& reg, int id) {
    for (window_record& window : reg.windows) {
        if (window.used && window.info.id == id) return &window;
    }
    return nullptr;
}

window_record* find_free_locked(window_registry& reg) {
    for (window_record& window : reg.windows) {
        if (!window.used) return &window;
    }
    return nullptr;
}

// After the active window was hidden or destroyed: the first visible window
// in table order takes over, or none.
void reselect_active_locked(window_registry& reg) {
    g_active_window.store(0, std::memory_order_relaxed);
    for (const window_record& window : reg.windows) {
        if (window.used && window.info.visible) {
            g_active_window.store(window.info.id, std::memory_order_relaxed);
            return;
        }
    }
}

bool is_active(int id) {
    return g_active_window.load(std::memory_order_relaxed) == id;
}

// Runs `change` on the window with this id under the lock; QOR_ERR_NOT_FOUND
// when there is none.
template <typename Change> int with_window(int id, Change change) {
    window_registry& reg = registry();
    std::lock_guard<std::mutex> guard(reg.lock);
    window_record* window = find_locked(reg, id);
    if (!window) return QOR_ERR_NOT_FOUND;
    return change(reg, *window);
}

} // namespace

namespace qor::window {

uint32_t registered_count() {
    const int32_t count = g_window_count.load(std::memory_order_relaxed);
    return count > 0 ? static_cast<uint32_t>(count) : 0;
}

bool probe_context(int id, int x, int y, context_probe* out) {
    const int result = with_window(id, [&](window_registry&, window_record& window) {
        const qor_context* context = window.context;
        if (x < 0 || y < 0 || x >= context->width || y >= context->height) {
            return QOR_ERR_INVALID_ARG;
        }
        const uint8_t* pixel = context->framebuffer + y * context->pitch + x * 4;
        out->width = context->width;
        out->height = context->height;
        out->pixel = static_cast<uint32_t>(pixel[0]) | static_cast<uint32_t>(pixel[1]) << 8 |
                     static_cast<uint32_t>(pixel[2]) << 16 | static_cast<uint32_t>(pixel[3]) << 24;
        return QOR_OK;
    });
    return result == QOR_OK;
}

} // namespace qor::window

extern "C" int qor_window_create(const char* title, const qor_rect* bounds, int user1, int user2) {
    window_registry& reg = registry();
    if (!bounds || bounds->w <= 0 || bounds->h <= 0) return 0;

    std::lock_guard<std::mutex> guard(reg.lock);
    window_record* window = find_free_locked(reg);
    // Ids are never reused: once they run out, no further window can be made.
    if (!window || reg.next_id == INT_MAX) return 0;
    const int32_t id = reg.next_id++;
    qor_context* context = qor_graphics_create_context(bounds->w, bounds->h);
    if (!context) return 0;

    *window = window_record{};
    window->used = true;
    window->context = context;
    window->info.id = id;
    window->info.title = copy_string(title ? title : kDefaultTitle);
    window->info.bounds = *bounds;
    window->info.user1 = user1;
    window->info.user2 = user2;
    window->info.bg_color = kOpaqueBlack;
    qor_graphics_clear(context, kOpaqueBlack);

    if (g_active_window.load(std::memory_order_relaxed) == 0) {
        g_active_window.store(id, std::memory_order_relaxed);
        window->info.visible = 1;
    }
    g_window_count.fetch_add(1, std::memory_order_relaxed);
    return id;
}

extern "C" int qor_window_destroy(int id) {
    return with_window(id, [id](window_registry& reg, window_record& window) {
        qor_graphics_destroy_context(window.context);
        std::free(window.info.title);
        window = window_record{};
        g_window_count.fetch_sub(1, std::memory_order_relaxed);
        if (is_active(id)) reselect_active_locked(reg);
        return QOR_OK;
    });
}

extern "C" int qor_window_show(int id) {
    return with_window(id, [id](window_registry&, window_record& window) {
        window.info.visible = 1;
        if (g_active_window.load(std::memory_order_relaxed) == 0) {
            g_active_window.store(id, std::memory_order_relaxed);
        }
        return QOR_OK;
    });
}

extern "C" int qor_window_hide(int id) {
    return with_window(id, [id](window_registry& reg, window_record& window) {
        window.info.visible = 0;
        if (is_active(id)) reselect_active_locked(reg);
        return QOR_OK;
    });
}

extern "C" int qor_window_set_title(int id, const char* title) {
    if (!title) return QOR_ERR_INVALID_ARG;
    return with_window(id, [title](window_registry&, window_record& window) {
        // Copy before releasing: the caller may pass the title pointer it got
        // from qor_window_list, which is the very block being replaced.
        char* copy = copy_string(title);
        std::free(window.info.title);
        window.info.title = copy;
        return QOR_OK;
    });
}

extern "C" int qor_window_set_bounds(int id, const qor_rect* bounds) {
    if (!bounds) return QOR_ERR_INVALID_ARG;
    return with_window(id, [bounds](window_registry&, window_record& window) {
        const qor_rect& old = window.info.bounds;
        const bool resized = bounds->w != old.w || bounds->h != old.h;
        if (resized && bounds->w > 0 && bounds->h > 0) {
            qor_context* context = qor_graphics_create_context(bounds->w, bounds->h);
            if (!context) return QOR_ERR_NO_MEMORY;
            qor_graphics_destroy_context(window.context);
            window.context = context;
            qor_graphics_clear(context, window.info.bg_color);
        }
        window.info.bounds = *bounds;
        return QOR_OK;
    });
}

extern "C" int qor_window_get_bounds(int id, qor_rect* out) {
    if (!out) return QOR_ERR_INVALID_ARG;
    return with_window(id, [out](window_registry&, window_record& window) {
        *out = window.info.bounds;
        return QOR_OK;
    });
}

extern "C" int qor_window_set_bg_color(int id, qor_color color) {
    return with_window(id, [color](window_registry&, window_record& window) {
        window.info.bg_color = color;
        qor_graphics_clear(window.context, color);
        return QOR_OK;
    });
}

extern "C" int qor_window_get_active(void) {
    return g_active_window.load(std::memory_order_relaxed);
}

extern "C" int qor_window_list(qor_window_info* out, unsigned capacity, int* out_count) {
    if (!out || !out_count) return QOR_ERR_INVALID_ARG;
    window_registry& reg = registry();
    std::lock_guard<std::mutex> guard(reg.lock);
    unsigned count = 0;
    for (const window_record& window : reg.windows) {
        if (count >= capacity) break;
        if (window.used) out[count++] = window.info;
    }
    *out_count = static_cast<int>(count);
    return QOR_OK;
}
