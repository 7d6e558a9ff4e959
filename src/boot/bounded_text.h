// Fixed-size text buffers: every path and line the system holds has a hard
// byte limit, and a copy never runs past it.
#pragma once

#include <cstddef>
#include <cstdio>

namespace qor {

// printf into a fixed buffer; false (and an empty buffer) when the result
// would not fit, so a cut path is never used as if it were whole.
template <size_t N, typename... Args>
bool format_whole(char (&out)[N], const char* format, Args... args) {
    const int n = std::snprintf(out, N, format, args...);
    if (n < 0 || static_cast<size_t>(n) >= N) {
        out[0] = '\0';
        return false;
    }
    return true;
}

// Copies at most size - 1 bytes of text and always terminates (size > 0).
void copy_bounded(char* out, size_t size, const char* text);

// The longest prefix of text[0..length) that is at most limit bytes and does
// not end inside a UTF-8 character.
size_t utf8_prefix_length(const char* text, size_t length, size_t limit);

} // namespace qor
