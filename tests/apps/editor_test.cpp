// The code editor's buffer: splitting and joining lines with their limits,
// printable input only, and cursor movement (each row starts from the sample
// with the cursor at a place and types keys (K) and characters); and its view
// following the cursor in a short window.
#include "desktop/desktop_fixture.h"

#include <string>
#include <vector>

namespace qor::test {
namespace {

constexpr unsigned K = 0x10000; // marks a key rather than a character
constexpr unsigned kEnd = K | kKeyEnd, kHome = K | kKeyHome, kLeft = K | kKeyLeft, kUp = K | kKeyUp,
                   kRight = K | kKeyRight, kDown = K | kKeyDown, kDelete = K | kKeyDelete;

const std::vector<std::string> kSample = {
    "#include <qor_api.h>",     "", "int main() {",  "    qor_system_init();",
    "    qor_graphics_init();", "", "    return 0;", "}"};

// The buffer's lines; every stored length must match its text.
std::vector<std::string> lines() {
    std::vector<std::string> out;
    for (int i = 0; i < g_code.line_count; ++i) {
        out.emplace_back(g_code.lines[i]);
        EXPECT_EQ(g_code.line_len[i], static_cast<int>(out.back().size())) << "line " << i;
    }
    return out;
}

void set_text(int row, const std::string& text) {
    snprintf(g_code.lines[row], sizeof g_code.lines[row], "%s", text.c_str());
    g_code.line_len[row] = static_cast<int>(text.size());
}

void type(int row, int col, const std::vector<unsigned>& input) {
    g_code.cursor_row = row;
    g_code.cursor_col = col;
    for (unsigned in : input)
        in& K ? code_editor_key(in & ~K) : code_editor_char(static_cast<int>(in));
}

TEST(Editor, EditsAndMovesFromTheSample) {
    const struct {
        int row, col;
        std::vector<unsigned> input;
        int line_count, changed_line; // -1: the sample unchanged
        const char* changed_text;
        int cursor_row, cursor_col;
    } rows[] = {
        {2, 4, {13}, 9, 3, "main() {", 3, 0}, // Enter splits "int |main() {"
        {7, 1, {10}, 9, 8, "", 8, 0},         // line feed at the end of the last line
        {2, 3, {8}, 8, 2, "in main() {", 2, 2},
        {2, 0, {8}, 7, 1, "int main() {", 1, 0}, // joins with the line above
        {0, 0, {8}, 8, -1, "", 0, 0},            // nothing above the first line
        {6, 4, {kDelete}, 8, 6, "    eturn 0;", 6, 4},
        {6, 13, {kDelete}, 7, 6, "    return 0;}", 6, 13},
        {7, 1, {kDelete}, 8, -1, "", 7, 1}, // end of the last line: nothing to join
        // Controls, Escape, Tab and letter keys insert nothing; 0x141 is 'A'.
        {1, 0, {9, 27, 0x7F, 0x141, K | 0x1B, K | 0x09, K | 0x41}, 8, 1, "A", 1, 1},
        {3, 0, {kLeft}, 8, -1, "", 2, 12}, // wraps to the end of "int main() {"
        {3, 0, {kLeft, kRight}, 8, -1, "", 3, 0},
        {3, 0, {kEnd, kDown}, 8, -1, "", 4, 22}, // the next line is 24 long
        {4, 22, {kDown}, 8, -1, "", 5, 0},       // clamped to the empty line
        {3, 5, {kHome}, 8, -1, "", 3, 0},
        {0, 0, {kLeft, kUp}, 8, -1, "", 0, 0},
        {7, 1, {kRight, kDown}, 8, -1, "", 7, 1},
        // A cursor outside the buffer edits nothing.
        {1, 256, {'x', 13}, 8, -1, "", 1, 256},
        {-1, 0, {'x', 13}, 8, -1, "", -1, 0},
        {200, 0, {'x', 13}, 8, -1, "", 200, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << row.row << "," << row.col);
        code_editor_init();
        type(row.row, row.col, row.input);
        const std::vector<std::string> now = lines();
        ASSERT_EQ(static_cast<int>(now.size()), row.line_count);
        if (row.changed_line < 0) {
            EXPECT_EQ(now, kSample);
        } else {
            EXPECT_EQ(now[row.changed_line], row.changed_text);
        }
        EXPECT_EQ(g_code.cursor_row, row.cursor_row);
        EXPECT_EQ(g_code.cursor_col, row.cursor_col);
    }
}

TEST(Editor, LinesStayWithin255CharactersAnd199Lines) {
    code_editor_init();
    set_text(0, std::string(200, 'a'));
    set_text(1, std::string(56, 'b')); // 256 together: neither join happens
    type(0, 200, {kDelete});
    type(1, 0, {8});
    EXPECT_EQ(g_code.line_count, 8);
    EXPECT_EQ(g_code.cursor_row, 1);
    set_text(1, std::string(55, 'b')); // 255 together
    type(1, 0, {8});
    EXPECT_EQ(g_code.line_count, 7);
    EXPECT_EQ(g_code.line_len[0], 255);
    EXPECT_EQ(g_code.cursor_col, 200);

    set_text(1, "");
    type(1, 0, std::vector<unsigned>(300, 'x'));
    EXPECT_EQ(g_code.line_len[1], 255);
    type(1, 255, {13}); // a full line still splits at its end
    EXPECT_EQ(g_code.line_count, 8);

    type(7, 1, std::vector<unsigned>(250, 13));
    EXPECT_EQ(g_code.line_count, 199);
    EXPECT_EQ(g_code.cursor_row, 198);
    lines();
}

using EditorView = DesktopTest;

TEST_F(EditorView, ShortWindowsScrollOneLinePerStepPastTheirRows) {
    constexpr int kX = 80, kY = 60;
    g_app_wins[0] = app_window{WIN_CODE_EDITOR, kX, kY, 560, 40, "Code Editor", 1, 0};
    g_active_win = 0;
    desktop_driver_render();
    EXPECT_EQ(g_code.scroll, 5); // one row: the cursor line is the one shown

    g_app_wins[0].h = 100; // (100 - 32) / 16 = 4 rows
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
        // Scrolled by two, line 3 ("int main() {", a keyword's colour) sits in the first row.
        if (&step == &steps[4]) {
            EXPECT_EQ(desktop_driver_pixel(kX + 37, kY + 34 + 5), 0xFF00C800u);
        }
    }
}

} // namespace
} // namespace qor::test
