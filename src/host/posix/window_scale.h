// How much the Linux host window enlarges the desktop. Windows enlarges a
// program that does not declare itself DPI-aware by the display's scale
// factor; on Linux the user's QOROS_SCALE, else the desktop's own GDK_SCALE,
// gives that factor. Kept free of SDL so the rule can be tested alone.
#pragma once

namespace qor::host::sdl {

constexpr int kLargestWindowScale = 8;

// The whole-number factor from the two settings (either may be null): the
// first that is a plain number from 1 to 8 wins; anything else is ignored;
// 1 when neither is usable.
int window_scale_from(const char* qoros_scale, const char* gdk_scale);

} // namespace qor::host::sdl
