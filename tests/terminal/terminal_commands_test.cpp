// The built-in commands, the table acknowledgement and unknown words.
#include "terminal_fixture.h"

#include "host/host_time.h"

#include <algorithm>
#include <cstdio>

namespace qor::test {
namespace {

TEST_F(TerminalTest, CommandsWithFixedAnswers) {
    const struct {
        const char* line;
        const char* shown;
    } rows[] = {
        {"echo", ""},
        {"echo   alpha  beta ", "alpha  beta "},
        {"ver", "QorOS v7.0.0 (Vuredivaz Uvodadov UZ)"},
        {"WhoAmI", "QorOS User"},
        {"exit", "Use ESC to close terminal"},
        {"quit now", "Use ESC to close terminal"},
        // Other table words are acknowledged, anything else refused, in the case typed.
        {"version", "Command 'version' executed"},
        {"QorGet   --fast", "Command 'QorGet' executed"},
        {"Frobnicate", "Unknown command: 'Frobnicate'"},
        {"ls2", "Unknown command: 'ls2'"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const int before = term.output_count;
        run(row.line);
        EXPECT_EQ(output_since(before), (std::vector<std::string>{row.shown}));
    }
}

TEST_F(TerminalTest, DateIsTheLocalDate) {
    auto format = [](const host::local_time& t) {
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
        return std::string(text);
    };
    const std::string before = format(host::now_local());
    run("date");
    const std::string after = format(host::now_local());
    const std::string shown = terminal_get_output(&term);
    EXPECT_TRUE(shown == before || shown == after) << shown;
}

TEST_F(TerminalTest, HelpListsTheTableByCategoryIn48Lines) {
    run("help");
    ASSERT_EQ(term.output_count, 50); // 5 + 48, the three oldest welcome lines dropped
    EXPECT_EQ(output()[0], "  Type 'help' for a list of commands.");
    const std::vector<std::string> help = output_since(2);
    ASSERT_EQ(help.size(), 48u);
    EXPECT_EQ(help[0], "QorOS v7.0 - Available commands:");
    EXPECT_EQ(help[2], "ls          cd          pwd         cp          mv          rm          "
                       "mkdir       rmdir       ");
    EXPECT_EQ(help.back(), "motd        sl          ");

    // Per category: its heading, then rows of eight 12-column names; only the
    // last row of a category may be shorter.
    const std::vector<std::pair<std::string, int>> categories = {
        {"File", 47}, {"System", 36}, {"Network", 33}, {"Math", 27}, {"Security", 25},
        {"Disk", 21}, {"App", 20},    {"Text", 25},    {"Misc", 26}};
    size_t at = 1;
    for (const auto& [name, count] : categories) {
        ASSERT_LT(at, help.size());
        EXPECT_EQ(help[at++], "=== " + name + " (" + std::to_string(count) + ") ===");
        const int rows = (count + 7) / 8;
        for (int r = 0; r < rows; ++r, ++at) {
            ASSERT_LT(at, help.size());
            const int names = r + 1 < rows ? 8 : count - 8 * r;
            EXPECT_EQ(help[at].size(), static_cast<size_t>(12 * names)) << name << " row " << r;
        }
    }
    EXPECT_EQ(at, help.size());
}

TEST_F(TerminalTest, ClearEmptiesTheWholeScrollBack) {
    run("cls");
    EXPECT_EQ(term.output_count, 0);
    run("echo x");
    run("CLEAR");
    EXPECT_EQ(term.output_count, 0);
}

TEST_F(TerminalTest, LsListsFoldersAndFilesButNotDotEntries) {
    std::filesystem::create_directory(home / "sub");
    write_bytes(home / ".hidden", "");
    write_bytes(home / "a.txt", "abc");
    run("ls -l ignored");
    std::vector<std::string> lines = output_since(5);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines,
              (std::vector<std::string>{"  [DIR]  sub", "  [FILE] .hidden", "  [FILE] a.txt"}));
}

// Apart from the listing: Windows refuses to remove a process's current
// folder, so this case runs on Linux only.
TEST_F(TerminalTest, LsOfAVanishedFolderReportsIt) {
    const auto gone = fresh_folder("gone");
    run("cd " + gone.string());
    std::filesystem::remove(gone);
    run("ls");
    EXPECT_STREQ(terminal_get_output(&term), "ls: cannot list directory");
}

TEST_F(TerminalTest, CdAndPwd) {
    run("cd");
    run("pwd");
    EXPECT_EQ(output_since(5), (std::vector<std::string>{home.string(), home.string()}));
    run("cd no-such-folder");
    EXPECT_STREQ(terminal_get_output(&term), "cd: directory not found");
    EXPECT_EQ(std::string(term.cwd), home.string());
}

TEST_F(TerminalTest, RelativeCdResolvesAgainstTheLastProcessDirectory) {
    // Another component (the explorer) moved the process directory; cwd
    // still shows the terminal's own folder until the terminal changes it.
    const auto elsewhere = fresh_folder("elsewhere");
    std::filesystem::create_directory(elsewhere / "inner");
    ASSERT_TRUE(host::change_folder(elsewhere.string().c_str()));
    run("pwd");
    EXPECT_EQ(std::string(terminal_get_output(&term)), home.string());

    run("cd inner");
    EXPECT_EQ(term.output_count, 6); // nothing printed on success
    EXPECT_EQ(std::string(term.cwd), (elsewhere / "inner").string());
    EXPECT_EQ(current_folder(), (elsewhere / "inner").string());
}

// cwd holds 259 bytes; a longer folder name would be stored cut and name a
// different folder, so it is refused and the process directory restored.
TEST_F(TerminalTest, CdAcceptsA259ByteFolderAndRefusesALongerOne) {
    const std::string too_long(260 - home.string().size(), 'd');
    std::filesystem::create_directory(home / too_long);
    run("cd " + too_long);
    EXPECT_STREQ(terminal_get_output(&term), "cd: directory not found");
    EXPECT_EQ(std::string(term.cwd), home.string());
    EXPECT_EQ(current_folder(), home.string());

    const std::string fits(259 - home.string().size() - 1, 'e');
    std::filesystem::create_directory(home / fits);
    run("cd " + fits);
    EXPECT_EQ(std::string(term.cwd), (home / fits).string());
    EXPECT_EQ(std::string(term.cwd).size(), 259u);
}

} // namespace
} // namespace qor::test
