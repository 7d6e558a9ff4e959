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

// Help lists every command of the table exactly once, under headings that
// count the names below them, eight 12-column names to a row (only a
// category's last row shorter); every listed name runs.
TEST_F(TerminalTest, HelpListsEveryCommandOnceAndEveryListedCommandRuns) {
    term.output_count = 0;
    run("help");
    const std::vector<std::string> help = output();
    ASSERT_FALSE(help.empty());
    std::vector<std::string> listed;
    for (size_t at = 1; at < help.size();) {
        int count = -1;
        ASSERT_EQ(std::sscanf(help[at++].c_str(), "=== %*s (%d) ===", &count), 1) << at;
        for (int left = count; left > 0; left -= 8, ++at) {
            ASSERT_LT(at, help.size());
            const size_t names = static_cast<size_t>(std::min(left, 8));
            ASSERT_EQ(help[at].size(), 12 * names) << help[at];
            for (size_t n = 0; n < names; ++n)
                listed.push_back(help[at].substr(12 * n, help[at].find(' ', 12 * n) - 12 * n));
        }
    }
    std::vector<std::string> table;
    for (int i = 0; i < terminal_get_command_count(); ++i)
        table.push_back(terminal_get_cmd_name(i));
    std::sort(table.begin(), table.end());
    std::vector<std::string> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, table);

    for (const std::string& name : listed) {
        run(name);
        EXPECT_NE(std::string(terminal_get_output(&term)).rfind("Unknown command", 0), 0u) << name;
        host::change_folder(home.string().c_str());
    }
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
