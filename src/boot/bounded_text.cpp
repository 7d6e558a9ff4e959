#include "boot/bounded_text.h"

#include <cstring>

namespace qor {

void copy_bounded(char* out, size_t size, const char* text) {
    const size_t n = strnlen(text, size - 1);
    std::memcpy(out, text, n);
    out[n] = '\0';
}

size_t utf8_prefix_length(const char* text, size_t length, size_t limit) {
    if (length <= limit) return length;
    size_t cut = limit;
    // Step back over continuation bytes (10xxxxxx) of a character the limit
    // splits; at most three, since no UTF-8 character is longer than four
    // bytes, so invalid input cannot make the cut run away.
    for (int back = 0; back < 3 && cut > 0; ++back) {
        if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80) break;
        --cut;
    }
    return cut;
}

} // namespace qor
