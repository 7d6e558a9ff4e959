// Translation of SDL key and text events into the Windows key codes and
// character messages the desktop understands. Kept free of SDL types so the
// rules can be tested without a window.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::host::sdl {

// The Windows virtual-key code for an SDL keycode (layout-dependent, like
// Windows' own codes for letters and punctuation) with its scancode as the
// fallback for keys without a character; 0 when the key has no code.
uint32_t virtual_key_for(int32_t keycode, int32_t scancode);

// The character message TranslateMessage makes for a key press that does
// not arrive as text: Enter 13, Backspace 8, Tab 9, Escape 27 and Ctrl with a
// letter 1..26; 0 when the key makes no such character.
uint32_t control_character_for(uint32_t virtual_key, bool ctrl_held);

// Splits UTF-8 text input into character messages. Characters at or above
// U+0080 make none: the desktop only keeps the low 8 bits of a character, so
// passing them on would type a different character than the one pressed.
// Returns how many characters were written to out (at most capacity).
size_t characters_from_text(const char* utf8, uint32_t* out, size_t capacity);

} // namespace qor::host::sdl
