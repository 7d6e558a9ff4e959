#include <qoros/qor_terminal.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(CommandTable, HoldsTwoHundredSixtyRowsInNineContiguousCategories) {
    ASSERT_EQ(terminal_get_command_count(), 260);
    const int expected_counts[TERMINAL_CATEGORY_COUNT] = {47, 36, 33, 27, 25, 21, 20, 25, 26};
    int counts[TERMINAL_CATEGORY_COUNT] = {};
    int previous = 0;
    for (int i = 0; i < 260; ++i) {
        const int category = terminal_get_cmd_category(i);
        ASSERT_GE(category, previous) << "row " << i; // grouped in ascending order
        ASSERT_LT(category, TERMINAL_CATEGORY_COUNT);
        ++counts[category];
        previous = category;
    }
    int total = 0;
    for (int c = 0; c < TERMINAL_CATEGORY_COUNT; ++c) {
        EXPECT_EQ(counts[c], expected_counts[c]) << g_category_names[c];
        total += counts[c];
    }
    EXPECT_EQ(total, 260);
}

TEST(CommandTable, CategoryNamesInIndexOrder) {
    const char* names[] = {"File", "System", "Network", "Math", "Security",
                           "Disk", "App",    "Text",    "Misc"};
    for (int c = 0; c < TERMINAL_CATEGORY_COUNT; ++c)
        EXPECT_STREQ(g_category_names[c], names[c]);
}

TEST(CommandTable, IndicesOutsideTheTableGiveNullOrMisc) {
    EXPECT_STREQ(terminal_get_cmd_name(0), "ls");
    EXPECT_STREQ(terminal_get_cmd_name(259), "sl");
    EXPECT_STREQ(terminal_get_cmd_desc(0), "List directory contents");
    EXPECT_EQ(terminal_get_cmd_category(47), 1);
    for (int i : {260, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(terminal_get_cmd_name(i), nullptr) << i;
        EXPECT_EQ(terminal_get_cmd_desc(i), nullptr) << i;
        EXPECT_EQ(terminal_get_cmd_category(i), 8) << i;
    }
}

TEST(CommandTable, NamesAreShortLowerCaseAndUniqueIgnoringCase) {
    std::set<std::string> seen;
    for (int i = 0; i < 260; ++i) {
        const std::string name = terminal_get_cmd_name(i);
        ASSERT_GE(name.size(), 1u);
        ASSERT_LE(name.size(), 10u) << name;
        for (char c : name)
            EXPECT_TRUE(std::islower(c) || std::isdigit(c)) << name;
        std::string folded = name;
        std::transform(folded.begin(), folded.end(), folded.begin(), ::tolower);
        EXPECT_TRUE(seen.insert(folded).second) << "duplicate " << name;
    }
}

TEST(CommandTable, DescriptionsAreSentenceCaseLinesWithoutFullStop) {
    for (int i = 0; i < 260; ++i) {
        const std::string desc = terminal_get_cmd_desc(i);
        ASSERT_FALSE(desc.empty()) << i;
        EXPECT_LE(desc.size(), 37u) << desc;
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(desc[0]))) << desc;
        EXPECT_NE(desc.back(), '.') << desc;
    }
}

TEST(CommandTable, RowsThatNameTheSystemsOwnTools) {
    const struct {
        int row;
        const char* name;
        const char* desc;
    } rows[] = {
        {0, "ls", "List directory contents"},
        {1, "cd", "Change directory"},
        {2, "pwd", "Print working directory"},
        {47, "ver", "Display OS version"},
        {48, "date", "Display or set the date"},
        {51, "whoami", "Print current user name"},
        {74, "history", "Show command history"},
        {102, "qorget", "QorOS custom file getter"},
        {103, "download", "Download a file"},
        {133, "stats", "Compute basic statistics"},
        {139, "rand", "Generate a random number"},
        {140, "random", "Generate a random number"},
        {178, "mountall", "Mount all filesystems"},
        {192, "convert", "Convert application format"},
        {196, "appstore", "Open the application store"},
        {197, "qpa", "QorOS application archive"},
        {198, "exe2qpa", "Convert EXE to QPA format"},
        {199, "firefox", "Launch the Firefox browser"},
        {204, "dorvane", "Convert application format"},
        {205, "apprun", "Run an QPA application"},
        {209, "echo", "Print text to output"},
        {234, "help", "Show help and command list"},
        {236, "clear", "Clear the terminal screen"},
        {237, "cls", "Clear the terminal screen"},
        {242, "exit", "Exit the terminal session"},
        {243, "quit", "Quit the terminal session"},
        {244, "about", "Show information about QorOS"},
        {245, "version", "Show terminal version"},
        {259, "sl", "Steam locomotive animation"},
    };
    for (const auto& row : rows) {
        EXPECT_STREQ(terminal_get_cmd_name(row.row), row.name) << row.row;
        EXPECT_STREQ(terminal_get_cmd_desc(row.row), row.desc) << row.row;
    }
}
