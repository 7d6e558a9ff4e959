// Line editing: the welcome text, insertion, the 255-character limit, and
// the cursor keys with their "changed" flag.
#include "terminal_fixture.h"

#include <cstring>

namespace qor::test {
namespace {

TEST_F(TerminalTest, FreshTerminalShowsTheFiveWelcomeLines) {
    const std::string rule(44, '=');
    EXPECT_EQ(output(),
              (std::vector<std::string>{rule, "  QorOS v7.0.0 Terminal", "  Vuredivaz Uvodadov UZ",
                                        "  Type 'help' for a list of commands.", rule}));
    EXPECT_STREQ(terminal_get_output(&term), rule.c_str());
    EXPECT_EQ(term.input_len, 0);
    EXPECT_EQ(term.cursor, 0);
    EXPECT_EQ(term.history_index, -1);
}

TEST_F(TerminalTest, GetOutputOfEmptyOrMissingTerminalIsEmptyText) {
    term.output_count = 0;
    EXPECT_STREQ(terminal_get_output(&term), "");
    EXPECT_STREQ(terminal_get_output(nullptr), "");
}

TEST_F(TerminalTest, NullStateIsIgnoredByEveryOperation) {
    int changed = 7;
    terminal_process_char(nullptr, 'a');
    terminal_process_key(nullptr, kEnter, &changed);
    terminal_execute(nullptr);
    EXPECT_EQ(changed, 0);
}

TEST_F(TerminalTest, LineHoldsAtMost255Characters) {
    type(std::string(256, 'x'));
    EXPECT_EQ(term.input_len, 255);
    EXPECT_EQ(term.cursor, 255);
    EXPECT_EQ(std::strlen(term.input), 255u);
}

TEST_F(TerminalTest, TypingInTheMiddleInsertsAtTheCursor) {
    type("held");
    EXPECT_EQ(key(kLeft), 1);
    EXPECT_EQ(key(kLeft), 1);
    type("llo wor");
    EXPECT_STREQ(term.input, "hello world");
    EXPECT_EQ(term.cursor, 9);
    EXPECT_EQ(term.input_len, 11);
}

TEST_F(TerminalTest, BackspaceRemovesTheCharacterBeforeTheCursor) {
    type("abcd");
    key(kLeft);
    EXPECT_EQ(key(kBackspace), 1);
    EXPECT_STREQ(term.input, "abd");
    EXPECT_EQ(term.cursor, 2);
    EXPECT_EQ(term.input_len, 3);

    EXPECT_EQ(key(kHome), 1);
    EXPECT_EQ(key(kBackspace), 0); // nothing before the cursor
    EXPECT_STREQ(term.input, "abd");
}

TEST_F(TerminalTest, CursorKeysStayWithinTheLine) {
    type("ab");
    EXPECT_EQ(key(kRight), 0); // already at the end
    EXPECT_EQ(key(kHome), 1);
    EXPECT_EQ(term.cursor, 0);
    EXPECT_EQ(key(kLeft), 0);
    EXPECT_EQ(key(kRight), 1);
    EXPECT_EQ(term.cursor, 1);
    EXPECT_EQ(key(kEnd), 1);
    EXPECT_EQ(term.cursor, 2);
    EXPECT_EQ(key(0x41), 0); // not an editing key
    EXPECT_STREQ(term.input, "ab");
}

TEST_F(TerminalTest, CursorOutsideTheLineIsClampedBeforeInsertion) {
    type("ab");
    term.cursor = 40;
    terminal_process_char(&term, 'c');
    EXPECT_STREQ(term.input, "abc");
    term.cursor = -3;
    terminal_process_char(&term, '>');
    EXPECT_STREQ(term.input, ">abc");
    EXPECT_EQ(term.cursor, 1);
}

TEST_F(TerminalTest, EnterEmptiesTheLine) {
    type("whoami");
    key(kLeft);
    EXPECT_EQ(key(kEnter), 1);
    EXPECT_STREQ(term.input, "");
    EXPECT_EQ(term.input_len, 0);
    EXPECT_EQ(term.cursor, 0);
    EXPECT_STREQ(terminal_get_output(&term), "QorOS User");
}

} // namespace
} // namespace qor::test
