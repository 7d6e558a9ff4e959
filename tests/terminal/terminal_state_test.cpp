#include "host/host_fs.h"
#include "support/scratch.h"

#include <qoros/qor_terminal.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kRule(44, '=');

// terminal_init moves the process's current folder; each test puts it back.
class TerminalState : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(qor::host::current_folder(&saved_)); }
    void TearDown() override { qor::host::change_folder(saved_.c_str()); }

    terminal_state term_{};
    std::string saved_;
};

std::string current() {
    std::string folder;
    qor::host::current_folder(&folder);
    return folder;
}

} // namespace

TEST_F(TerminalState, FreshTerminalHoldsTheFiveWelcomeLines) {
    const auto home = qor::test::fresh_folder("homet");
    terminal_init(&term_, home.string().c_str());
    ASSERT_EQ(term_.output_count, 5);
    EXPECT_EQ(term_.output[0], kRule);
    EXPECT_STREQ(term_.output[1], "  QorOS v7.0.0 Terminal");
    EXPECT_STREQ(term_.output[2], "  Vuredivaz Uvodadov UZ");
    EXPECT_STREQ(term_.output[3], "  Type 'help' for a list of commands.");
    EXPECT_EQ(term_.output[4], kRule);
    EXPECT_EQ(term_.input_len, 0);
    EXPECT_EQ(term_.cursor, 0);
    EXPECT_EQ(term_.history_count, 0);
    EXPECT_EQ(term_.history_index, -1);
    EXPECT_STREQ(term_.input, "");
}

TEST_F(TerminalState, StartFolderBecomesTheWorkingFolder) {
    const auto home = qor::test::fresh_folder("homet");
    terminal_init(&term_, home.string().c_str());
    EXPECT_EQ(std::string(term_.cwd), home.string());
    EXPECT_EQ(std::filesystem::path(current()), std::filesystem::canonical(home));
}

TEST_F(TerminalState, WithoutStartFolderTheProcessFolderIsTaken) {
    const std::string before = current();
    terminal_init(&term_, nullptr);
    EXPECT_EQ(std::string(term_.cwd), before);
    terminal_init(&term_, "");
    EXPECT_EQ(std::string(term_.cwd), before);
    EXPECT_EQ(current(), before);
}

TEST_F(TerminalState, MissingOrOverlongStartFolderIsKeptButCut) {
    const std::string before = current();
    const std::string missing = qor::test::fresh_folder().string() + "/not-there";
    terminal_init(&term_, missing.c_str());
    EXPECT_EQ(std::string(term_.cwd), missing);
    EXPECT_EQ(current(), before); // the folder could not be entered

    const std::string long_path = "/" + std::string(400, 'x');
    terminal_init(&term_, long_path.c_str());
    EXPECT_EQ(std::strlen(term_.cwd), 259u);
    EXPECT_EQ(std::string(term_.cwd), long_path.substr(0, 259));
}

TEST_F(TerminalState, InitClearsEverythingThatWasThere) {
    std::memset(&term_, 'z', sizeof term_);
    terminal_init(&term_, nullptr);
    EXPECT_EQ(term_.output_count, 5);
    EXPECT_EQ(term_.output[5][0], '\0');
    EXPECT_EQ(term_.history[0][0], '\0');
    EXPECT_EQ(term_.input[0], '\0');
}

TEST_F(TerminalState, NullStateOrLineDoesNothing) {
    terminal_init(nullptr, "/");
    add_output(nullptr, "x");
    terminal_init(&term_, nullptr);
    add_output(&term_, nullptr);
    EXPECT_EQ(term_.output_count, 5);
}

TEST_F(TerminalState, ScrollBackKeepsTheNewestFiftyLines) {
    terminal_init(&term_, nullptr);
    for (int i = 0; i < 46; ++i)
        add_output(&term_, ("line " + std::to_string(i)).c_str());
    ASSERT_EQ(term_.output_count, 50);
    // 5 welcome lines + 46 = 51: the oldest welcome line is gone.
    EXPECT_STREQ(term_.output[0], "  QorOS v7.0.0 Terminal");
    EXPECT_STREQ(term_.output[49], "line 45");
    add_output(&term_, "newest");
    EXPECT_EQ(term_.output_count, 50);
    EXPECT_STREQ(term_.output[0], "  Vuredivaz Uvodadov UZ");
    EXPECT_STREQ(term_.output[49], "newest");
}

TEST_F(TerminalState, LongLinesAreCutTo255Bytes) {
    terminal_init(&term_, nullptr);
    const std::string long_line(300, 'a');
    add_output(&term_, long_line.c_str());
    EXPECT_EQ(std::strlen(term_.output[5]), 255u);
}

TEST_F(TerminalState, ALineTakenFromTheFullScrollBackItselfIsCopiedIntact) {
    terminal_init(&term_, nullptr);
    for (int i = 0; i < 45; ++i)
        add_output(&term_, ("line " + std::to_string(i)).c_str());
    ASSERT_EQ(term_.output_count, 50);
    add_output(&term_, term_.output[0]); // the line that the shift discards
    EXPECT_STREQ(term_.output[49], kRule.c_str());
    add_output(&term_, term_.output[1]);
    EXPECT_STREQ(term_.output[49], "  Vuredivaz Uvodadov UZ");
}
