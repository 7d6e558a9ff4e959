// UTF-8 to UTF-16 for the text path. Invalid input never stops the
// conversion: each maximal invalid subsequence becomes U+FFFD, and reading
// stops at the terminator even inside a truncated sequence.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::gfx {

// UTF-16 code units of the zero-terminated text, terminator excluded.
size_t utf16_length(const char* text);
// Writes utf16_length(text) units to `out` (no terminator).
void utf8_to_utf16(const char* text, uint16_t* out);

} // namespace qor::gfx
