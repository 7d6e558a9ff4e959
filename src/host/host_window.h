// The one host window the desktop is shown in, and the host-independent
// messages it delivers. The desktop logic only ever sees these messages, so
// tests drive it without any window.
#pragma once

#include <cstdint>

namespace qor::host {

enum class window_message_kind {
    paint,            // copy the framebuffer into the window
    destroy,          // the window was closed (caption button, system menu)
    key_down,         // key: Windows virtual-key code
    character,        // character: one UTF-16 unit, as TranslateMessage makes them
    mouse_move,       // x, y: client coordinates
    left_button_down, // x, y: client coordinates
    mouse_wheel,      // x, y: client coordinates; wheel: notches, positive away from the user
};

struct window_message {
    window_message_kind kind;
    uint32_t key;
    uint32_t character;
    int32_t x, y;
    // Size of the client area when the message arose; mouse positions are
    // scaled from it to the framebuffer.
    int32_t client_w, client_h;
    int32_t wheel;
};

using window_message_handler = void (*)(const window_message& message);

// Set-up in two steps so each failure can be reported on its own: first the
// windowing system (the window class on Windows), then the window with a
// client area of client_w x client_h that cannot be resized or maximised.
bool window_system_start();
bool window_create(const char* title, int client_w, int client_h);

// Shows the window and has the host paint it at once.
void window_show();

// Takes every pending host message and hands it, translated, to the handler
// (also the paint message after window_invalidate). Returns false when the
// host quit message was taken; the messages after it stay pending.
bool window_pump_messages(window_message_handler handler);

// Asks for a paint message that presents the whole framebuffer; several
// requests before the next pump give one.
void window_invalidate();

// The same for the framebuffer's columns x .. x+w-1 of rows y .. y+h-1:
// the paint message presents the areas asked for since the last one.
void window_invalidate_area(int x, int y, int w, int h);

// Copies a top-down 32-bit framebuffer (blue, green, red, alpha bytes per
// pixel) into the client area, the areas asked for to be presented (or all
// of it), enlarged as the window is. Only valid while handling a paint
// message.
void window_paint(const uint8_t* pixels, int width, int height);

// Posts the host quit message; the pump returns false when it reaches it.
void window_post_quit();

// Releases the window and the windowing system (tests and clean exits; the
// desktop itself leaves the window to end with the process).
void window_destroy();

// True between a successful window_create and window_destroy.
bool window_exists();

} // namespace qor::host
