// SDL key and text events become Windows key codes and the character
// messages TranslateMessage would make. SDL's numbering is stable (scancodes
// are USB usage ids, keycodes of character keys are their characters).
#include <gtest/gtest.h>

#include "host/posix/window_sdl_keys.h"

namespace qor::host::sdl {
namespace {

constexpr int32_t SCANCODE_A = 4, SCANCODE_F1 = 58, SCANCODE_F12 = 69;
constexpr int32_t SCANCODE_RETURN = 40, SCANCODE_ESCAPE = 41, SCANCODE_BACKSPACE = 42;
constexpr int32_t SCANCODE_TAB = 43, SCANCODE_HOME = 74, SCANCODE_DELETE = 76;
constexpr int32_t SCANCODE_END = 77, SCANCODE_RIGHT = 79, SCANCODE_LEFT = 80;
constexpr int32_t SCANCODE_DOWN = 81, SCANCODE_UP = 82, SCANCODE_LCTRL = 224;
constexpr int32_t SCANCODE_RCTRL = 228;
constexpr int32_t KEYCODE_OF_SCANCODE = 1 << 30; // SDL's mark for keys without a character

TEST(SdlKeys, CharacterKeysFollowTheLayoutLikeWindowsCodes) {
    EXPECT_EQ(virtual_key_for('a', SCANCODE_A), 0x41u);
    EXPECT_EQ(virtual_key_for('z', 29), 0x5Au);
    EXPECT_EQ(virtual_key_for('q', SCANCODE_A), 0x51u); // an AZERTY 'a' key types q
    EXPECT_EQ(virtual_key_for('7', 36), 0x37u);
    EXPECT_EQ(virtual_key_for(';', 51), 0xBAu);
    EXPECT_EQ(virtual_key_for('/', 56), 0xBFu);
}

TEST(SdlKeys, KeysWithoutCharactersGoByTheirPosition) {
    EXPECT_EQ(virtual_key_for('\r', SCANCODE_RETURN), 0x0Du);
    EXPECT_EQ(virtual_key_for(27, SCANCODE_ESCAPE), 0x1Bu);
    EXPECT_EQ(virtual_key_for('\b', SCANCODE_BACKSPACE), 0x08u);
    EXPECT_EQ(virtual_key_for('\t', SCANCODE_TAB), 0x09u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_END, SCANCODE_END), 0x23u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_HOME, SCANCODE_HOME), 0x24u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_LEFT, SCANCODE_LEFT), 0x25u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_UP, SCANCODE_UP), 0x26u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_RIGHT, SCANCODE_RIGHT), 0x27u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_DOWN, SCANCODE_DOWN), 0x28u);
    EXPECT_EQ(virtual_key_for(127, SCANCODE_DELETE), 0x2Eu);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_LCTRL, SCANCODE_LCTRL), 0x11u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_RCTRL, SCANCODE_RCTRL), 0x11u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_F1, SCANCODE_F1), 0x70u);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | SCANCODE_F12, SCANCODE_F12), 0x7Bu);
    EXPECT_EQ(virtual_key_for(KEYCODE_OF_SCANCODE | 300, 300), 0u);
}

TEST(SdlKeys, ControlCharactersAreThoseOfTranslateMessage) {
    EXPECT_EQ(control_character_for(0x0D, false), 13u);
    EXPECT_EQ(control_character_for(0x08, false), 8u);
    EXPECT_EQ(control_character_for(0x09, true), 9u);
    EXPECT_EQ(control_character_for(0x1B, false), 27u);
    EXPECT_EQ(control_character_for(0x41, true), 1u);
    EXPECT_EQ(control_character_for(0x5A, true), 26u);
    EXPECT_EQ(control_character_for(0x41, false), 0u); // arrives as text instead
    EXPECT_EQ(control_character_for(0x25, true), 0u);
}

TEST(SdlKeys, TextBecomesOneCharacterPerAsciiCharacter) {
    uint32_t out[8] = {};
    ASSERT_EQ(characters_from_text("ls -a", out, 8), 5u);
    EXPECT_EQ(out[0], static_cast<uint32_t>('l'));
    EXPECT_EQ(out[4], static_cast<uint32_t>('a'));
}

TEST(SdlKeys, CharactersFromU0080OnMakeNoMessage) {
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
