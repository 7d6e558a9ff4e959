// Drives the desktop without any host window: sends the same messages the
// host window would, renders, reads pixels and saves PNG images. Used by the
// tests, the benchmarks and the screenshot tool.
#pragma once

#include <cstdint>

namespace qor::desktop {

// Creates the desktop context (when missing) and puts the desktop in its
// start state: every slot closed, no active window, menu closed, nothing
// hovered, the frame loop marked running.
bool desktop_driver_start();

// Releases the desktop context.
void desktop_driver_stop();

// Input at framebuffer coordinates (the client area is taken as 800 x 600).
void desktop_driver_click(int x, int y);
void desktop_driver_move(int x, int y);
void desktop_driver_wheel(int x, int y, int notches);
void desktop_driver_key(uint32_t virtual_key);
void desktop_driver_character(uint32_t character);
// The host window's destroy message (its close button).
void desktop_driver_destroy();

void desktop_driver_render();

// The pixel at (x, y) as 0xAARRGGBB; 0 outside the framebuffer.
uint32_t desktop_driver_pixel(int x, int y);

// Saves the framebuffer as a PNG file; the graphics engine's result code.
int desktop_driver_save_png(const char* path);

} // namespace qor::desktop
