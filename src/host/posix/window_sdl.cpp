// The host window on Linux: one SDL window whose surface receives the
// desktop framebuffer, enlarged by whole pixels on high-DPI desktops, and
// SDL's events turned into window messages.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "host/host_keys.h"
#include "host/host_window.h"
#include "host/posix/window_scale.h"
#include "host/posix/window_sdl_keys.h"

namespace qor::host {

namespace {

SDL_Window* g_sdl_window = nullptr;
int g_window_scale = 1;
bool g_paint_requested = false;

// The areas asked for since the last paint, or all of the window.
constexpr int kMostPendingAreas = 16;
SDL_Rect g_pending_areas[kMostPendingAreas];
int g_pending_count = 0;
bool g_pending_all = false;

void request_paint_of_all() {
    g_pending_all = true;
    g_paint_requested = g_sdl_window != nullptr;
}

bool g_video_started = false;

// SDL falls back to drivers that show nothing when there is no display;
// a desktop nobody can see would never end, so they count as no display
// unless the user asked for one by name.
bool driver_shows_nothing(const char* driver) {
    if (!driver) return false;
    for (const char* invisible : {"offscreen", "dummy", "evdev"})
        if (std::strcmp(driver, invisible) == 0) return true;
    return false;
}

bool driver_requested_by_user(const char* driver) {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    return requested && driver && SDL_strcasecmp(requested, driver) == 0;
}

bool sdl_key_held(uint32_t virtual_key) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode) {
        if (!state[scancode]) continue;
        const SDL_Keycode keycode = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
        if (sdl::virtual_key_for(keycode, scancode) == virtual_key) return true;
    }
    return false;
}

window_message message_of(window_message_kind kind) {
    window_message message{};
    message.kind = kind;
    if (g_sdl_window) SDL_GetWindowSize(g_sdl_window, &message.client_w, &message.client_h);
    return message;
}

void deliver_key(const SDL_KeyboardEvent& key, window_message_handler handler) {
    window_message message = message_of(window_message_kind::key_down);
    message.key = sdl::virtual_key_for(key.keysym.sym, key.keysym.scancode);
    if (message.key == 0) return;
    handler(message);
    // TranslateMessage posts the character right after its key press.
    const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    const uint32_t control = sdl::control_character_for(message.key, ctrl);
    if (control == 0) return;
    window_message character = message_of(window_message_kind::character);
    character.character = control;
    handler(character);
}

void deliver_text(const char* text, window_message_handler handler) {
    uint32_t characters[SDL_TEXTINPUTEVENT_TEXT_SIZE];
    const size_t count = sdl::characters_from_text(text, characters, SDL_TEXTINPUTEVENT_TEXT_SIZE);
    for (size_t i = 0; i < count; ++i) {
        window_message message = message_of(window_message_kind::character);
        message.character = characters[i];
        handler(message);
    }
}

void deliver_pointer(window_message_kind kind, int x, int y, window_message_handler handler) {
    window_message message = message_of(kind);
    message.x = x;
    message.y = y;
    handler(message);
}

void deliver_wheel(const SDL_MouseWheelEvent& wheel, window_message_handler handler) {
    window_message message = message_of(window_message_kind::mouse_wheel);
    SDL_GetMouseState(&message.x, &message.y);
    message.wheel = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    if (message.wheel != 0) handler(message);
}

void deliver_window_event(const SDL_WindowEvent& event, window_message_handler handler) {
    if (event.event == SDL_WINDOWEVENT_CLOSE) {
        handler(message_of(window_message_kind::destroy));
    } else if (event.event == SDL_WINDOWEVENT_EXPOSED || event.event == SDL_WINDOWEVENT_SHOWN ||
               event.event == SDL_WINDOWEVENT_RESTORED) {
        // Uncovered or restored: what the window showed may be gone.
        request_paint_of_all();
    }
}

void deliver(const SDL_Event& event, window_message_handler handler) {
    switch (event.type) {
    case SDL_KEYDOWN:
        deliver_key(event.key, handler);
        break;
    case SDL_TEXTINPUT:
        deliver_text(event.text.text, handler);
        break;
    case SDL_MOUSEMOTION:
        deliver_pointer(window_message_kind::mouse_move, event.motion.x, event.motion.y, handler);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
            deliver_pointer(window_message_kind::left_button_down, event.button.x, event.button.y,
                            handler);
        }
        break;
    case SDL_MOUSEWHEEL:
        deliver_wheel(event.wheel, handler);
        break;
    case SDL_WINDOWEVENT:
        deliver_window_event(event.window, handler);
        break;
    default:
        break;
    }
}

// A driver is only tried where the session announces its display: the
// Wayland client library prints an error of its own when it finds no socket.
bool display_announced(const char* driver) {
    if (std::strcmp(driver, "wayland") == 0) return std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (std::strcmp(driver, "x11") == 0) return std::getenv("DISPLAY") != nullptr;
    return true;
}

bool start_video(const char* driver) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// The user's SDL_VIDEODRIVER is honoured as it is; otherwise every driver
// that can show a window on an announced display is tried in SDL's order.
bool start_some_video_driver() {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (requested && *requested) return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (driver_shows_nothing(driver) || !display_announced(driver)) continue;
        if (start_video(driver)) return true;
    }
    return false;
}

// The framebuffer's bytes (blue, green, red, alpha) are SDL's ARGB8888 on
// little-endian machines; an XRGB surface takes them the same way.
bool takes_framebuffer_bytes(const SDL_Surface* surface) {
    const Uint32 format = surface->format->format;
    return format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888;
}

// Framebuffer area `r` (already inside the framebuffer) into the surface,
// every pixel as a scale x scale block: nearest neighbour, so edges and text
// stay as sharp as they were drawn.
void copy_area(const uint8_t* pixels, int width, const SDL_Rect& r, SDL_Surface* surface,
               int scale) {
    if (!takes_framebuffer_bytes(surface)) {
        SDL_Surface* source =
            SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), width, r.y + r.h, 32,
                                               width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (!source) return;
        SDL_Rect from = r;
        SDL_Rect to{r.x * scale, r.y * scale, r.w * scale, r.h * scale};
        SDL_BlitScaled(source, &from, surface, &to);
        SDL_FreeSurface(source);
        return;
    }
    auto* target = static_cast<uint8_t*>(surface->pixels);
    for (int row = r.y; row < r.y + r.h; ++row) {
        const auto* source =
            reinterpret_cast<const uint32_t*>(pixels) + static_cast<ptrdiff_t>(row) * width + r.x;
        uint8_t* first_line = target + static_cast<ptrdiff_t>(row) * scale * surface->pitch +
                              static_cast<ptrdiff_t>(r.x) * scale * 4;
        if (scale == 1) {
            std::memcpy(first_line, source, static_cast<size_t>(r.w) * 4);
            continue;
        }
        auto* line = reinterpret_cast<uint32_t*>(first_line);
        for (int column = 0; column < r.w; ++column) {
            for (int k = 0; k < scale; ++k)
                line[column * scale + k] = source[column];
        }
        for (int k = 1; k < scale; ++k) {
            std::memcpy(first_line + static_cast<ptrdiff_t>(k) * surface->pitch, first_line,
                        static_cast<size_t>(r.w) * scale * 4);
        }
    }
}

} // namespace

bool window_system_start() {
    // Closing the window is the destroy message; the quit message comes only
    // from window_post_quit (or a signal such as Ctrl+C on the console).
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The framebuffer goes to the window as it is (shared memory on X11);
    // routing it through a software OpenGL renderer costs several times the
    // CPU of drawing the desktop.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(0) != 0) return false;
    if (!start_some_video_driver()) {
        SDL_Quit();
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver_shows_nothing(driver) && !driver_requested_by_user(driver)) {
        SDL_Quit();
        return false;
    }
    g_video_started = true;
    return true;
}

bool window_create(const char* title, int client_w, int client_h) {
    if (!g_video_started) return false;
    g_window_scale = sdl::window_scale_from(std::getenv("QOROS_SCALE"), std::getenv("GDK_SCALE"));
    // Pointer positions arrive in the enlarged window's pixels; the desktop
    // maps them back through the client size each message carries.
    g_sdl_window =
        SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         client_w * g_window_scale, client_h * g_window_scale, SDL_WINDOW_HIDDEN);
    if (!g_sdl_window) return false;
    SDL_StartTextInput();
    set_key_state_source(sdl_key_held);
    return true;
}

void window_show() {
    if (!g_sdl_window) return;
    SDL_ShowWindow(g_sdl_window);
    SDL_RaiseWindow(g_sdl_window);
    request_paint_of_all();
}

bool window_pump_messages(window_message_handler handler) {
    if (!g_video_started) return true; // no window: no messages
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) return false;
        deliver(event, handler);
    }
    if (g_paint_requested && g_sdl_window) {
        g_paint_requested = false;
        handler(message_of(window_message_kind::paint));
    }
    return true;
}

void window_invalidate() {
    request_paint_of_all();
}

void window_invalidate_area(int x, int y, int w, int h) {
    if (!g_sdl_window || w <= 0 || h <= 0) return;
    g_paint_requested = true;
    if (g_pending_all) return;
    if (g_pending_count == kMostPendingAreas) {
        g_pending_all = true;
        return;
    }
    g_pending_areas[g_pending_count++] = {x, y, w, h};
}

void window_paint(const uint8_t* pixels, int width, int height) {
    if (!g_sdl_window || !pixels) return;
    SDL_Surface* surface = SDL_GetWindowSurface(g_sdl_window);
    const int scale = g_window_scale;
    const SDL_Rect visible{0, 0, std::min(width, surface ? surface->w / scale : 0),
                           std::min(height, surface ? surface->h / scale : 0)};
    const bool all = g_pending_all || g_pending_count == 0;
    const int count = all ? 1 : g_pending_count;
    SDL_Rect presented[kMostPendingAreas];
    int shown = 0;
    for (int i = 0; surface && i < count; ++i) {
        SDL_Rect area{};
        if (!SDL_IntersectRect(all ? &visible : &g_pending_areas[i], &visible, &area)) continue;
        copy_area(pixels, width, area, surface, scale);
        presented[shown++] = {area.x * scale, area.y * scale, area.w * scale, area.h * scale};
    }
    g_pending_count = 0;
    g_pending_all = false;
    if (shown > 0) SDL_UpdateWindowSurfaceRects(g_sdl_window, presented, shown);
}

void window_post_quit() {
    if (!g_video_started) return;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void window_destroy() {
    set_key_state_source(nullptr);
    if (g_sdl_window) SDL_DestroyWindow(g_sdl_window);
    g_sdl_window = nullptr;
    g_paint_requested = false;
    g_pending_count = 0;
    g_pending_all = false;
    if (g_video_started) SDL_Quit();
    g_video_started = false;
}

bool window_exists() {
    return g_sdl_window != nullptr;
}

} // namespace qor::host
