// The code editor's buffer: the sample, splitting and joining lines with
// their limits, and cursor movement.
#include "desktop/editor.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qor::desktop;

namespace {

constexpr unsigned kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28,
                   kDelete = 0x2E, kEscape = 0x1B;

const std::vector<std::string> kSample = {
    "#include <qor_api.h>",     "", "int main() {",  "    qor_system_init();",
    "    qor_graphics_init();", "", "    return 0;", "}"};

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { code_editor_init(); }

    // The buffer's lines; every stored length must match its text.
    static std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (int i = 0; i < g_code.line_count; ++i) {
            out.emplace_back(g_code.lines[i]);
            EXPECT_EQ(g_code.line_len[i], static_cast<int>(out.back().size())) << "line " << i;
        }
        return out;
    }
    static void move_to(int row, int col) {
        g_code.cursor_row = row;
        g_code.cursor_col = col;
    }
    static void set_text(int row, const std::string& text) {
        snprintf(g_code.lines[row], sizeof g_code.lines[row], "%s", text.c_str());
        g_code.line_len[row] = static_cast<int>(text.size());
    }
    static void cursor_is(int row, int col) {
        EXPECT_EQ(g_code.cursor_row, row);
        EXPECT_EQ(g_code.cursor_col, col);
    }
};

TEST_F(EditorTest, InitLoadsTheSampleWithTheCursorOnLineSix) {
    EXPECT_TRUE(g_code_init);
    EXPECT_EQ(lines(), kSample);
    cursor_is(5, 0);
    EXPECT_EQ(g_code.scroll, 0);
}

TEST_F(EditorTest, EnterSplitsInTheMiddleAndAppendsAtTheEnd) {
    move_to(2, 4); // "int |main() {"
    code_editor_char(13);
    std::vector<std::string> expected = kSample;
    expected[2] = "int ";
    expected.insert(expected.begin() + 3, "main() {");
    EXPECT_EQ(lines(), expected);
    cursor_is(3, 0);

    move_to(8, 1);
    code_editor_char(10); // line feed at the end of the last line
    expected.push_back("");
    EXPECT_EQ(lines(), expected);
    cursor_is(9, 0);
}

TEST_F(EditorTest, BackspaceRemovesOrJoinsWithTheLineAbove) {
    move_to(2, 3);
    code_editor_char(8);
    cursor_is(2, 2);
    move_to(2, 0);
    code_editor_char(8);
    cursor_is(1, 0);
    move_to(0, 0);
    code_editor_char(8); // nothing above the first line
    EXPECT_EQ(lines(), (std::vector<std::string>{kSample[0], "in main() {", kSample[3], kSample[4],
                                                 "", kSample[6], kSample[7]}));
}

TEST_F(EditorTest, DeleteRemovesOrJoinsTheNextLine) {
    move_to(6, 13);
    code_editor_key(kDelete);
    EXPECT_EQ(g_code.line_count, 7);
    cursor_is(6, 13);
    code_editor_key(kEnd);
    code_editor_key(kDelete); // end of the last line: nothing to join
    move_to(6, 4);
    code_editor_key(kDelete);
    EXPECT_EQ(lines().back(), "    eturn 0;}");
    EXPECT_EQ(g_code.line_count, 7);
}

TEST_F(EditorTest, JoinsAndLinesLongerThan255CharactersAreRefused) {
    set_text(0, std::string(200, 'a'));
    set_text(1, std::string(56, 'b')); // 256 together
    move_to(0, 200);
    code_editor_key(kDelete);
    move_to(1, 0);
    code_editor_char(8);
    EXPECT_EQ(g_code.line_count, 8);

    set_text(1, std::string(55, 'b')); // 255 together
    code_editor_char(8);
    EXPECT_EQ(g_code.line_count, 7);
    EXPECT_EQ(g_code.line_len[0], 255);
    cursor_is(0, 200);

    set_text(1, "");
    move_to(1, 0);
    for (int i = 0; i < 300; ++i)
        code_editor_char('x');
    code_editor_char(0x107A); // only the low 8 bits count: 'z', still refused
    EXPECT_EQ(g_code.line_len[1], 255);
    cursor_is(1, 255);
}

TEST_F(EditorTest, OnlyPrintableAsciiIsInsertedAndOtherKeysDoNothing) {
    move_to(1, 0);
    for (unsigned c : {9u, 27u, 0x7Fu, 0x141u /* low byte 'A' */})
        code_editor_char(c);
    for (unsigned k : {kEscape, 0x09u, 0x41u})
        code_editor_key(k);
    std::vector<std::string> expected = kSample;
    expected[1] = "A";
    EXPECT_EQ(lines(), expected);
    cursor_is(1, 1);
}

TEST_F(EditorTest, ArrowsWrapBetweenLinesAndClampTheColumn) {
    move_to(3, 0);
    const struct {
        unsigned key;
        int row, col;
    } steps[] = {{kLeft, 2, 12}, // end of "int main() {"
                 {kRight, 3, 0}, {kEnd, 3, 22},
                 {kDown, 4, 22}, // "    qor_graphics_init();" is 24 long
                 {kDown, 5, 0},  // empty line
                 {kHome, 5, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.key);
        code_editor_key(step.key);
        cursor_is(step.row, step.col);
    }
    move_to(0, 0);
    code_editor_key(kLeft);
    code_editor_key(kUp);
    cursor_is(0, 0);
    move_to(7, 1);
    code_editor_key(kRight);
    code_editor_key(kDown);
    cursor_is(7, 1);
}

TEST_F(EditorTest, NoMoreThan199LinesAndNoEditsAtACursorOutsideTheBuffer) {
    for (auto [row, col] : {std::pair{1, 256}, {-1, 0}, {200, 0}}) {
        move_to(row, col);
        code_editor_char('x');
        code_editor_char(13);
    }
    EXPECT_EQ(lines(), kSample);

    move_to(7, 1);
    for (int i = 0; i < 250; ++i)
        code_editor_char(13);
    EXPECT_EQ(g_code.line_count, 199);
    cursor_is(198, 0);
}

} // namespace
