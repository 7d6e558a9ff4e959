// The window-less driver: builds the messages the host window would send
// (sized to an unscaled 800 x 600 client area) and hands them to the same
// handler, so tests and tools exercise the real routing.
#include "desktop/desktop_driver.h"

#include <qoros/qor_graphics.h>

#include "desktop/app_windows.h"
#include "desktop/desktop_host.h"
#include "desktop/desktop_input.h"
#include "desktop/desktop_render.h"
#include "desktop/frame_update.h"

namespace qor::desktop {

using qor::host::window_message;
using qor::host::window_message_kind;

namespace {

void send(window_message message) {
    message.client_w = kDesktopWidth;
    message.client_h = kDesktopHeight;
    desktop_handle_message(message);
}

void send_pointer(window_message_kind kind, int x, int y, int wheel) {
    window_message message{};
    message.kind = kind;
    message.x = x;
    message.y = y;
    message.wheel = wheel;
    send(message);
}

} // namespace

bool desktop_driver_start() {
    if (!g_main_ctx) g_main_ctx = qor_graphics_create_context(kDesktopWidth, kDesktopHeight);
    desktop_frame_forget();
    close_all_windows();
    g_start_menu_open = false;
    g_hovered_icon = 0;
    g_running = true;
    return g_main_ctx != nullptr;
}

void desktop_driver_stop() {
    qor_graphics_destroy_context(g_main_ctx);
    g_main_ctx = nullptr;
}

void desktop_driver_click(int x, int y) {
    send_pointer(window_message_kind::left_button_down, x, y, 0);
}

void desktop_driver_move(int x, int y) {
    send_pointer(window_message_kind::mouse_move, x, y, 0);
}

void desktop_driver_wheel(int x, int y, int notches) {
    send_pointer(window_message_kind::mouse_wheel, x, y, notches);
}

void desktop_driver_key(uint32_t virtual_key) {
    window_message message{};
    message.kind = window_message_kind::key_down;
    message.key = virtual_key;
    send(message);
}

void desktop_driver_character(uint32_t character) {
    window_message message{};
    message.kind = window_message_kind::character;
    message.character = character;
    send(message);
}

void desktop_driver_destroy() {
    window_message message{};
    message.kind = window_message_kind::destroy;
    send(message);
}

void desktop_driver_render() {
    render_desktop();
}

uint32_t desktop_driver_pixel(int x, int y) {
    if (!g_main_ctx || x < 0 || y < 0 || x >= g_main_ctx->width || y >= g_main_ctx->height) {
        return 0;
    }
    const uint8_t* bytes = g_main_ctx->framebuffer + y * g_main_ctx->pitch + x * 4;
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

int desktop_driver_save_png(const char* path) {
    return qor_graphics_save_png(g_main_ctx, path);
}

} // namespace qor::desktop
