// The history of submitted lines: what is stored, duplicate suppression,
// the 20-entry limit and browsing with Up and Down.
#include "terminal_fixture.h"

namespace qor::test {
namespace {

TEST_F(TerminalTest, BlankLineRecordsAndPrintsNothing) {
    run("   \t  ");
    EXPECT_EQ(term.history_count, 0);
    EXPECT_EQ(term.output_count, 5);
    EXPECT_EQ(term.input_len, 0);
}

TEST_F(TerminalTest, CapitalLsWithBlanksListsAndStoresTheLineWithoutLeadingBlanks) {
    write_bytes(home / "note.txt", "x");
    run("  LS  ");
    EXPECT_EQ(output_since(5), (std::vector<std::string>{"  [FILE] note.txt"}));
    EXPECT_EQ(history(), (std::vector<std::string>{"LS  "}));
}

TEST_F(TerminalTest, RepeatedLineIsStoredOnce) {
    run("pwd");
    run("pwd");
    EXPECT_EQ(history(), (std::vector<std::string>{"pwd"}));
}

TEST_F(TerminalTest, LineRepeatedAfterAnotherIsStoredAgain) {
    run("pwd");
    run("ver");
    run("pwd");
    EXPECT_EQ(history(), (std::vector<std::string>{"pwd", "ver", "pwd"}));
}

TEST_F(TerminalTest, TwentyFirstLineDropsTheOldest) {
    for (int i = 0; i < 21; ++i)
        run("echo " + std::to_string(i));
    ASSERT_EQ(term.history_count, 20);
    EXPECT_EQ(history().front(), "echo 1");
    EXPECT_EQ(history().back(), "echo 20");
}

TEST_F(TerminalTest, UpOnEmptyHistoryDoesNothing) {
    type("draft");
    EXPECT_EQ(key(kUp), 0);
    EXPECT_EQ(key(kDown), 0);
    EXPECT_STREQ(term.input, "draft");
    EXPECT_EQ(term.history_index, -1);
}

TEST_F(TerminalTest, UpAndDownBrowseTheHistory) {
    run("echo one");
    run("echo two");
    run("echo three");

    EXPECT_EQ(key(kUp), 1);
    EXPECT_STREQ(term.input, "echo three");
    EXPECT_EQ(key(kUp), 1);
    EXPECT_STREQ(term.input, "echo two");
    EXPECT_EQ(term.cursor, 8);
    EXPECT_EQ(key(kUp), 1);
    EXPECT_EQ(key(kUp), 1); // stays at the oldest entry
    EXPECT_STREQ(term.input, "echo one");
    EXPECT_EQ(key(kDown), 1);
    EXPECT_EQ(key(kDown), 1);
    EXPECT_STREQ(term.input, "echo three");
    EXPECT_EQ(term.input_len, 10);

    EXPECT_EQ(key(kDown), 1); // past the newest entry: browsing ends
    EXPECT_STREQ(term.input, "");
    EXPECT_EQ(term.cursor, 0);
    EXPECT_EQ(term.history_index, -1);
    EXPECT_EQ(key(kDown), 0);
}

TEST_F(TerminalTest, RunningABrowsedLineEndsBrowsing) {
    run("echo one");
    run("echo two");
    key(kUp);
    key(kUp);
    key(kEnter);
    EXPECT_EQ(term.history_index, -1);
    EXPECT_EQ(history(), (std::vector<std::string>{"echo one", "echo two", "echo one"}));
    EXPECT_EQ(output().back(), "one");
}

} // namespace
} // namespace qor::test
