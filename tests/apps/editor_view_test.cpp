// The editor's view: keyword colours, the caret, and the view following the
// cursor in a short window. Drawn with the test glyph source.
#include "apps_desktop_fixture.h"

namespace qor::test {
namespace {

constexpr int kEX = 80, kEY = 60, kEW = 560;

class EditorViewTest : public AppsDesktopTest {
  protected:
    void open_editor(int height) {
        g_app_wins[0] = app_window{WIN_CODE_EDITOR, kEX, kEY, kEW, height, "Code Editor", 1, 0};
        g_active_win = 0;
    }
    static int row_top(int visible_row) { return kEY + 34 + 16 * visible_row; }
};

TEST_F(EditorViewTest, SampleLinesAreColouredByKeyword) {
    open_editor(420);
    desktop_driver_render();
    ASSERT_TRUE(g_code_init);
    // Test glyphs at size 11 start one column right of the pen, 11 rows from
    // the text's top; spaces advance 5 pixels.
    EXPECT_EQ(desktop_driver_pixel(kEX + 37, row_top(0) + 5), 0xFFFFC864u); // "#include ..."
    EXPECT_EQ(desktop_driver_pixel(kEX + 37, row_top(2) + 5), 0xFF00C800u); // "int main() {"
    EXPECT_EQ(desktop_driver_pixel(kEX + 57, row_top(3) + 5), 0xFFC8C8C8u); // " qor_system_init();"
    EXPECT_EQ(desktop_driver_pixel(kEX + 57, row_top(6) + 5), 0xFF00C800u); // "    return 0;"
    EXPECT_EQ(desktop_driver_pixel(kEX + 37, row_top(7) + 5), 0xFFC8C8C8u); // "}"
    // Gutter beside each of the eight lines, background below them.
    EXPECT_EQ(desktop_driver_pixel(kEX + 1, row_top(7) + 15), 0xFF322828u);
    EXPECT_EQ(desktop_driver_pixel(kEX + 1, row_top(8) + 1), 0xFF281E1Eu);
    // The caret at the start of line 6.
    EXPECT_EQ(desktop_driver_pixel(kEX + 36, row_top(5) + 2), 0xFFDCDCDCu);
    EXPECT_EQ(desktop_driver_pixel(kEX + 37, row_top(5) + 15), 0xFFDCDCDCu);
    EXPECT_EQ(desktop_driver_pixel(kEX + 38, row_top(5) + 8), 0xFF281E1Eu);
    // Status bar.
    EXPECT_EQ(desktop_driver_pixel(kEX + 1, kEY + 420 - 22), 0xFF3C3232u);
}

TEST_F(EditorViewTest, ShortWindowScrollsOneLinePerStepPastItsFourRows) {
    open_editor(100); // (100 - 32) / 16 = 4 rows
    code_editor_init();
    g_code.cursor_row = 0;
    desktop_driver_render();
    EXPECT_EQ(g_code.scroll, 0);
    for (int row = 1; row <= 3; ++row)
        desktop_driver_key(0x28);
    EXPECT_EQ(g_code.scroll, 0);
    desktop_driver_key(0x28);
    EXPECT_EQ(g_code.scroll, 1);
    desktop_driver_key(0x28);
    EXPECT_EQ(g_code.scroll, 2);
    // Line 3 ("int main() {") now sits in the first row.
    EXPECT_EQ(desktop_driver_pixel(kEX + 37, row_top(0) + 5), 0xFF00C800u);
    for (int step = 0; step < 3; ++step)
        desktop_driver_key(0x26);
    EXPECT_EQ(g_code.cursor_row, 2);
    EXPECT_EQ(g_code.scroll, 2);
    desktop_driver_key(0x26);
    EXPECT_EQ(g_code.scroll, 1);
}

TEST_F(EditorViewTest, VeryLowWindowShowsOneLine) {
    open_editor(40);
    code_editor_init();
    desktop_driver_render();
    EXPECT_EQ(g_code.scroll, 5); // the cursor line is the one line shown
}

} // namespace
} // namespace qor::test
