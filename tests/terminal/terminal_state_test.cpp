// A new terminal, its start folder, the scroll-back and the command table's
// index boundaries.
#include "terminal_fixture.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <set>

namespace qor::test {
namespace {

// The welcome is printed once: a fresh start replaces the scroll-back with it.
TEST_F(TerminalTest, FreshTerminalShowsTheWelcomeOnceInItsStartFolder) {
    const std::vector<std::string> welcome = output();
    ASSERT_EQ(welcome.size(), 5u);
    EXPECT_EQ(welcome.front(), welcome.back());
    EXPECT_EQ(terminal_get_output(&term), welcome.back());
    run("echo x");
    terminal_init(&term, home.string().c_str());
    EXPECT_EQ(output(), welcome);
    EXPECT_STREQ(term.input, "");
    EXPECT_EQ(term.cursor, 0);
    EXPECT_EQ(term.history_count, 0);
    EXPECT_EQ(term.history_index, -1);
    EXPECT_EQ(std::string(term.cwd), home.string());
    EXPECT_EQ(std::filesystem::path(current_folder()), std::filesystem::canonical(home));

    term.output_count = 0;
    EXPECT_STREQ(terminal_get_output(&term), "");
    EXPECT_STREQ(terminal_get_output(nullptr), "");
}

TEST_F(TerminalTest, StartFolderAbsentOrMissing) {
    const std::string before = current_folder();
    for (const char* none : {static_cast<const char*>(nullptr), ""}) {
        terminal_init(&term, none);
        EXPECT_EQ(std::string(term.cwd), before);
    }
    // A folder that cannot be entered is still shown; the process stays put.
    const std::string missing = fresh_folder().string() + "/not-there";
    terminal_init(&term, missing.c_str());
    EXPECT_EQ(std::string(term.cwd), missing);
    EXPECT_EQ(current_folder(), before);
}

// cwd holds 259 bytes. With sibling folders P (a 259-byte name) and Q (P plus
// "b"), a name cut to fit would enter and list P although nobody asked for it.
TEST_F(TerminalTest, FolderNamesThatDoNotFitAreNeverCutIntoAnotherFolder) {
    const std::filesystem::path base = fresh_folder();
    const std::string p = (base / std::string(259 - base.string().size() - 1, 'p')).string();
    const std::string q = p + "b";
    std::filesystem::create_directory(p);
    std::filesystem::create_directory(q);
    write_bytes(std::filesystem::path(p) / "only-in-p", "");
    const std::string before = current_folder();

    // A start folder that does not fit counts as none: the process folder stays.
    terminal_init(&term, q.c_str());
    EXPECT_EQ(std::string(term.cwd), before);
    EXPECT_EQ(current_folder(), before);
    run("ls");
    EXPECT_EQ(
        std::count(term.output, term.output + term.output_count, std::string("  [FILE] only-in-p")),
        0);

    // A process folder that does not fit: the terminal moves to the root and
    // its first line says so.
    ASSERT_TRUE(host::change_folder(q.c_str()));
    terminal_init(&term, nullptr);
    EXPECT_EQ(std::string(term.cwd), current_folder());
    EXPECT_EQ(std::filesystem::path(term.cwd), std::filesystem::path(term.cwd).root_path());
    EXPECT_EQ(output()[0],
              "Current folder cannot be used; terminal moved to " + std::string(term.cwd));
    EXPECT_EQ(output().size(), 6u);
}

TEST_F(TerminalTest, InitClearsEverythingAndNullArgumentsAreIgnored) {
    std::memset(&term, 'z', sizeof term);
    terminal_init(&term, nullptr);
    EXPECT_EQ(term.output_count, 5);
    EXPECT_EQ(term.output[5][0], '\0');
    EXPECT_EQ(term.history[0][0], '\0');
    EXPECT_EQ(term.input[0], '\0');

    int changed = 7;
    terminal_init(nullptr, "/");
    add_output(nullptr, "x");
    add_output(&term, nullptr);
    terminal_process_char(nullptr, 'a');
    terminal_process_key(nullptr, kKeyEnter, &changed);
    terminal_execute(nullptr);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(term.output_count, 5);
}

TEST_F(TerminalTest, ScrollBackKeepsTheNewestFiftyLinesCutTo255Bytes) {
    const std::vector<std::string> welcome = output();
    for (int i = 0; i < 46; ++i)
        add_output(&term, ("line " + std::to_string(i)).c_str());
    ASSERT_EQ(term.output_count, 50); // 5 + 46: the oldest welcome line is gone
    EXPECT_EQ(term.output[0], welcome[1]);
    EXPECT_STREQ(term.output[49], "line 45");

    add_output(&term, std::string(300, 'a').c_str());
    EXPECT_EQ(term.output[0], welcome[2]);
    EXPECT_EQ(std::strlen(term.output[49]), 255u);

    // A line taken from the full scroll-back itself, even the one the shift
    // discards, is copied intact.
    const std::string first = term.output[0];
    add_output(&term, term.output[0]);
    EXPECT_EQ(std::string(term.output[49]), first);
}

TEST(CommandTable, IndicesOutsideTheTableAndNamesUniqueIgnoringCase) {
    const int count = terminal_get_command_count();
    ASSERT_GT(count, 0);
    for (int i : {0, count - 1}) {
        EXPECT_NE(terminal_get_cmd_name(i), nullptr);
        EXPECT_NE(terminal_get_cmd_desc(i), nullptr);
    }
    for (int i : {count, -1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(terminal_get_cmd_name(i), nullptr);
        EXPECT_EQ(terminal_get_cmd_desc(i), nullptr);
        EXPECT_EQ(terminal_get_cmd_category(i), 8);
    }
    // Words are matched ignoring case, so two rows must never fold together.
    std::set<std::string> seen;
    for (int i = 0; i < count; ++i) {
        std::string name = terminal_get_cmd_name(i);
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        EXPECT_TRUE(seen.insert(name).second) << "duplicate " << name;
    }
}

} // namespace
} // namespace qor::test
