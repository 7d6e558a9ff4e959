#include "host/posix/window_sdl_keys.h"

#include "host/host_keys.h"

#include <SDL2/SDL_keyboard.h>

namespace qor::host::sdl {

namespace {

using namespace keys;

struct key_row {
    int32_t sdl;
    uint32_t vk;
};

// Keys without a character, by scancode (their position on the keyboard).
const key_row k_scancode_keys[] = {
    {SDL_SCANCODE_RETURN, kKeyEnter},  {SDL_SCANCODE_KP_ENTER, kKeyEnter},
    {SDL_SCANCODE_ESCAPE, kKeyEscape}, {SDL_SCANCODE_BACKSPACE, kKeyBackspace},
    {SDL_SCANCODE_TAB, kKeyTab},       {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_LSHIFT, kKeyShift},  {SDL_SCANCODE_RSHIFT, kKeyShift},
    {SDL_SCANCODE_LCTRL, kKeyCtrl},    {SDL_SCANCODE_RCTRL, kKeyCtrl},
    {SDL_SCANCODE_LALT, kKeyAlt},      {SDL_SCANCODE_RALT, kKeyAlt},
    {SDL_SCANCODE_PAUSE, 0x13},        {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_PAGEUP, 0x21},       {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, kKeyEnd},       {SDL_SCANCODE_HOME, kKeyHome},
    {SDL_SCANCODE_LEFT, kKeyLeft},     {SDL_SCANCODE_UP, kKeyUp},
    {SDL_SCANCODE_RIGHT, kKeyRight},   {SDL_SCANCODE_DOWN, kKeyDown},
    {SDL_SCANCODE_PRINTSCREEN, 0x2C},  {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, kKeyDelete}, {SDL_SCANCODE_LGUI, kKeyLeftWin},
    {SDL_SCANCODE_RGUI, kKeyRightWin}, {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_KP_0, 0x60},         {SDL_SCANCODE_KP_1, 0x61},
    {SDL_SCANCODE_KP_2, 0x62},         {SDL_SCANCODE_KP_3, 0x63},
    {SDL_SCANCODE_KP_4, 0x64},         {SDL_SCANCODE_KP_5, 0x65},
    {SDL_SCANCODE_KP_6, 0x66},         {SDL_SCANCODE_KP_7, 0x67},
    {SDL_SCANCODE_KP_8, 0x68},         {SDL_SCANCODE_KP_9, 0x69},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A},  {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},     {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},
};

// Punctuation keys by the character they type (the "OEM" codes).
const key_row k_punctuation_keys[] = {
    {';', 0xBA}, {'=', 0xBB}, {',', 0xBC},  {'-', 0xBD}, {'.', 0xBE},  {'/', 0xBF},
    {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE},
};

uint32_t lookup(const key_row* rows, size_t count, int32_t key) {
    for (size_t i = 0; i < count; ++i) {
        if (rows[i].sdl == key) return rows[i].vk;
    }
    return 0;
}

} // namespace

uint32_t virtual_key_for(int32_t keycode, int32_t scancode) {
    if (keycode >= 'a' && keycode <= 'z') return static_cast<uint32_t>(keycode - 'a' + 'A');
    if (keycode >= '0' && keycode <= '9') return static_cast<uint32_t>(keycode);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return static_cast<uint32_t>(0x70 + scancode - SDL_SCANCODE_F1);
    }
    const uint32_t by_scancode =
        lookup(k_scancode_keys, sizeof k_scancode_keys / sizeof k_scancode_keys[0], scancode);
    if (by_scancode != 0) return by_scancode;
    return lookup(k_punctuation_keys, sizeof k_punctuation_keys / sizeof k_punctuation_keys[0],
                  keycode);
}

uint32_t control_character_for(uint32_t virtual_key, bool ctrl_held) {
    switch (virtual_key) {
    case kKeyEnter:
        return 13;
    case kKeyBackspace:
        return 8;
    case kKeyTab:
        return 9;
    case kKeyEscape:
        return 27;
    default:
        break;
    }
    if (ctrl_held && virtual_key >= 'A' && virtual_key <= 'Z') return virtual_key - 'A' + 1;
    return 0;
}

size_t characters_from_text(const char* utf8, uint32_t* out, size_t capacity) {
    size_t written = 0;
    if (!utf8) return 0;
    // Bytes of multi-byte sequences (and stray continuation bytes) all have
    // the top bit set, so dropping every such byte drops exactly the
    // characters at or above U+0080.
    for (const char* p = utf8; *p && written < capacity; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) out[written++] = byte;
    }
    return written;
}

} // namespace qor::host::sdl
