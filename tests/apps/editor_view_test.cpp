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
    expect_pixels({
        {kEX + 37, row_top(0) + 5, 0xFFFFC864, "#include ..."},
        {kEX + 37, row_top(2) + 5, 0xFF00C800, "int main() {"},
        {kEX + 57, row_top(3) + 5, 0xFFC8C8C8, "    qor_system_init();"},
        {kEX + 57, row_top(6) + 5, 0xFF00C800, "    return 0;"},
        {kEX + 37, row_top(7) + 5, 0xFFC8C8C8, "}"},
        {kEX + 1, row_top(7) + 15, 0xFF322828, "gutter beside the last line"},
        {kEX + 1, row_top(8) + 1, 0xFF281E1E, "background below the lines"},
        {kEX + 36, row_top(5) + 2, 0xFFDCDCDC, "caret top"},
        {kEX + 37, row_top(5) + 15, 0xFFDCDCDC, "caret bottom"},
        {kEX + 38, row_top(5) + 8, 0xFF281E1E, "right of the caret"},
        {kEX + 1, kEY + 420 - 22, 0xFF3C3232, "status bar"},
    });
}

TEST_F(EditorViewTest, ShortWindowsScrollOneLinePerStepPastTheirRows) {
    open_editor(40);
    desktop_driver_render();
    EXPECT_EQ(g_code.scroll, 5); // one row: the cursor line is the one shown

    open_editor(100); // (100 - 32) / 16 = 4 rows
    g_code.cursor_row = 0;
    desktop_driver_render();
    EXPECT_EQ(g_code.scroll, 0);
    const struct {
        unsigned key;
        int scroll;
    } steps[] = {{0x28, 0}, {0x28, 0}, {0x28, 0}, {0x28, 1}, {0x28, 2},
                 {0x26, 2}, {0x26, 2}, {0x26, 2}, {0x26, 1}};
    for (const auto& step : steps) {
        desktop_driver_key(step.key);
        EXPECT_EQ(g_code.scroll, step.scroll) << "cursor row " << g_code.cursor_row;
        if (&step == &steps[4]) // scrolled by two: line 3 sits in the first row
            expect_pixels({{kEX + 37, row_top(0) + 5, 0xFF00C800, "int main() {"}});
    }
}

} // namespace
} // namespace qor::test
