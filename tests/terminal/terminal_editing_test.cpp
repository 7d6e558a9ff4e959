// Line editing with its "changed" flag, the 255-character limit, and the
// history: what is stored, duplicate suppression, the 20-entry limit and
// browsing with Up and Down.
#include "terminal_fixture.h"

#include <cstring>

namespace qor::test {
namespace {

TEST_F(TerminalTest, LineHoldsAtMost255Characters) {
    type(std::string(256, 'x'));
    EXPECT_EQ(term.input_len, 255);
    EXPECT_EQ(term.cursor, 255);
    EXPECT_EQ(std::strlen(term.input), 255u);
}

TEST_F(TerminalTest, InsertionAndBackspaceAtTheCursor) {
    type("held");
    EXPECT_EQ(key(kKeyLeft), 1);
    EXPECT_EQ(key(kKeyLeft), 1);
    type("llo wor");
    EXPECT_STREQ(term.input, "hello world");
    EXPECT_EQ(term.cursor, 9);
    EXPECT_EQ(key(kKeyBackspace), 1);
    EXPECT_STREQ(term.input, "hello wold");
    EXPECT_EQ(term.cursor, 8);
    EXPECT_EQ(term.input_len, 10);
    EXPECT_EQ(key(kKeyHome), 1);
    EXPECT_EQ(key(kKeyBackspace), 0); // nothing before the cursor
    EXPECT_STREQ(term.input, "hello wold");
}

TEST_F(TerminalTest, CursorKeysStayWithinTheLine) {
    type("ab");
    const struct {
        unsigned key;
        int changed, cursor;
    } steps[] = {{kKeyRight, 0, 2}, {kKeyHome, 1, 0}, {kKeyLeft, 0, 0},
                 {kKeyRight, 1, 1}, {kKeyEnd, 1, 2},  {0x41, 0, 2}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.key);
        EXPECT_EQ(key(step.key), step.changed);
        EXPECT_EQ(term.cursor, step.cursor);
    }
    EXPECT_STREQ(term.input, "ab");

    // A cursor set outside the line is clamped before insertion.
    term.cursor = 40;
    terminal_process_char(&term, 'c');
    term.cursor = -3;
    terminal_process_char(&term, '>');
    EXPECT_STREQ(term.input, ">abc");
    EXPECT_EQ(term.cursor, 1);
}

TEST_F(TerminalTest, EnterRunsAndEmptiesTheLine) {
    type("whoami");
    key(kKeyLeft);
    EXPECT_EQ(key(kKeyEnter), 1);
    EXPECT_STREQ(term.input, "");
    EXPECT_EQ(term.input_len, 0);
    EXPECT_EQ(term.cursor, 0);
    EXPECT_STREQ(terminal_get_output(&term), "QorOS User");
}

TEST_F(TerminalTest, BlankLineRecordsAndPrintsNothing) {
    run("   \t  ");
    EXPECT_EQ(term.history_count, 0);
    EXPECT_EQ(term.output_count, 5);
}

TEST_F(TerminalTest, CapitalLsWithBlanksListsAndStoresTheLineWithoutLeadingBlanks) {
    write_bytes(home / "note.txt", "x");
    run("  LS  ");
    EXPECT_EQ(output_since(5), (std::vector<std::string>{"  [FILE] note.txt"}));
    EXPECT_EQ(history(), (std::vector<std::string>{"LS  "}));
}

TEST_F(TerminalTest, OnlyAnImmediateRepeatIsSuppressedAndTheTwentyFirstDropsTheOldest) {
    for (const char* line : {"pwd", "pwd", "ver", "pwd"})
        run(line);
    EXPECT_EQ(history(), (std::vector<std::string>{"pwd", "ver", "pwd"}));

    for (int i = 0; i < 21; ++i)
        run("echo " + std::to_string(i));
    ASSERT_EQ(term.history_count, 20);
    EXPECT_EQ(history().front(), "echo 1");
    EXPECT_EQ(history().back(), "echo 20");
}

TEST_F(TerminalTest, UpAndDownBrowseTheHistory) {
    type("draft");
    EXPECT_EQ(key(kKeyUp), 0); // empty history: nothing happens
    EXPECT_EQ(key(kKeyDown), 0);
    EXPECT_STREQ(term.input, "draft");
    key(kKeyEnter); // stored as the oldest entry

    for (const char* line : {"echo one", "echo two", "echo three"})
        run(line);
    const struct {
        unsigned key;
        const char* input;
    } steps[] = {{kKeyUp, "echo three"}, {kKeyUp, "echo two"},     {kKeyUp, "echo one"},
                 {kKeyUp, "draft"},      {kKeyUp, "draft"},        {kKeyDown, "echo one"},
                 {kKeyDown, "echo two"}, {kKeyDown, "echo three"}, {kKeyDown, ""}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.input);
        EXPECT_EQ(key(step.key), 1);
        EXPECT_STREQ(term.input, step.input);
        EXPECT_EQ(term.cursor, static_cast<int>(std::strlen(step.input)));
        EXPECT_EQ(term.input_len, term.cursor);
    }
    EXPECT_EQ(term.history_index, -1); // past the newest entry browsing ends
    EXPECT_EQ(key(kKeyDown), 0);

    // Running a browsed line ends browsing and stores it again.
    key(kKeyUp);
    key(kKeyUp);
    key(kKeyEnter);
    EXPECT_EQ(term.history_index, -1);
    EXPECT_EQ(history().back(), "echo two");
    EXPECT_EQ(output().back(), "two");
}

} // namespace
} // namespace qor::test
