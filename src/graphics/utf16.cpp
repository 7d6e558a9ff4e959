// Decoding follows the well-formed byte ranges of UTF-8: no overlong forms,
// no encoded surrogates, nothing above U+10FFFF.
#include "graphics/utf16.h"

namespace qor::gfx {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool in(unsigned char b, unsigned char lo, unsigned char hi) {
    return b >= lo && b <= hi;
}

// Decodes one code point at *p and moves *p past what it consumed.
uint32_t next_code_point(const unsigned char** p) {
    const unsigned char* s = *p;
    const unsigned char lead = s[0];
    if (lead < 0x80) {
        *p = s + 1;
        return lead;
    }
    int extra;
    unsigned char second_lo = 0x80, second_hi = 0xBF;
    uint32_t cp;
    if (in(lead, 0xC2, 0xDF)) {
        extra = 1, cp = lead & 0x1F;
    } else if (in(lead, 0xE0, 0xEF)) {
        extra = 2, cp = lead & 0x0F;
        if (lead == 0xE0) second_lo = 0xA0;
        if (lead == 0xED) second_hi = 0x9F; // U+D800..U+DFFF are not characters
    } else if (in(lead, 0xF0, 0xF4)) {
        extra = 3, cp = lead & 0x07;
        if (lead == 0xF0) second_lo = 0x90;
        if (lead == 0xF4) second_hi = 0x8F;
    } else {
        *p = s + 1;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const bool ok = i == 1 ? in(s[i], second_lo, second_hi) : in(s[i], 0x80, 0xBF);
        if (!ok) { // the terminator also fails here, so nothing past it is read
            *p = s + i;
            return kReplacement;
        }
        cp = cp << 6 | (s[i] & 0x3F);
    }
    *p = s + extra + 1;
    return cp;
}

} // namespace

size_t utf16_length(const char* text) {
    size_t units = 0;
    for (auto p = reinterpret_cast<const unsigned char*>(text); *p;) {
        units += next_code_point(&p) > 0xFFFF ? 2 : 1;
    }
    return units;
}

void utf8_to_utf16(const char* text, uint16_t* out) {
    for (auto p = reinterpret_cast<const unsigned char*>(text); *p;) {
        const uint32_t cp = next_code_point(&p);
        if (cp > 0xFFFF) {
            *out++ = static_cast<uint16_t>(0xD800 + ((cp - 0x10000) >> 10));
            *out++ = static_cast<uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<uint16_t>(cp);
        }
    }
}

} // namespace qor::gfx
