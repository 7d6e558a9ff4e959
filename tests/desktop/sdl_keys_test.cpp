// SDL key and text events become Windows key codes and the character
// messages TranslateMessage would make. SDL's numbering is stable (scancodes
// are USB usage ids, keycodes of character keys are their characters).
#include <gtest/gtest.h>

#include "host/posix/window_sdl_keys.h"

namespace qor::host::sdl {
namespace {

constexpr int32_t KEYCODE_OF_SCANCODE = 1 << 30; // SDL's mark for keys without a character

TEST(SdlKeys, VirtualKeysFollowTheLayoutForCharactersAndThePositionOtherwise) {
    const struct {
        int32_t keycode, scancode;
        uint32_t vk;
    } rows[] = {
        {'a', 4, 0x41},
        {'z', 29, 0x5A},
        {'q', 4, 0x51}, // an AZERTY 'a' key types q
        {'0', 39, 0x30},
        {'9', 38, 0x39},
        {';', 51, 0xBA},
        {'/', 56, 0xBF},
        {'\r', 40, 0x0D},
        {KEYCODE_OF_SCANCODE | 77, 77, 0x23}, // End
        {KEYCODE_OF_SCANCODE | 58, 58, 0x70}, // F1
        {KEYCODE_OF_SCANCODE | 69, 69, 0x7B}, // F12
        {KEYCODE_OF_SCANCODE | 300, 300, 0},  // unknown
    };
    for (const auto& row : rows)
        EXPECT_EQ(virtual_key_for(row.keycode, row.scancode), row.vk) << row.scancode;
}

TEST(SdlKeys, ControlCharactersAreThoseOfTranslateMessage) {
    const struct {
        uint32_t vk;
        bool ctrl;
        uint32_t character;
    } rows[] = {{0x0D, false, 13}, {0x08, false, 8}, {0x09, true, 9},  {0x1B, false, 27},
                {0x41, true, 1},   {0x5A, true, 26}, {0x41, false, 0}, // arrives as text instead
                {0x25, true, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(control_character_for(row.vk, row.ctrl), row.character) << row.vk << row.ctrl;
}

TEST(SdlKeys, TextBecomesOneCharacterPerAsciiCharacterAndNothingFromU0080On) {
    uint32_t out[8] = {};
    // "a中é~": 中 and é would otherwise arrive cut to their low 8 bits.
    ASSERT_EQ(characters_from_text("a\xE4\xB8\xAD\xC3\xA9~", out, 8), 2u);
    EXPECT_EQ(out[0], static_cast<uint32_t>('a'));
    EXPECT_EQ(out[1], static_cast<uint32_t>('~'));
    EXPECT_EQ(characters_from_text("\xFF\x80", out, 8), 0u);
    EXPECT_EQ(characters_from_text(nullptr, out, 8), 0u);
    EXPECT_EQ(characters_from_text("abc", out, 2), 2u);
}

} // namespace
} // namespace qor::host::sdl
