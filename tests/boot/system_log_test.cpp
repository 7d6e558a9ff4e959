// The system log: where the tree lives, the line format, what a line may
// contain, how long it may be, the clean-up and failed writes.
#include "boot/system_tree.h"
#include "host/host_time.h"
#include "support/fault_matrix.h"
#include "system_tree_fixture.h"

#include <cstdlib>
#include <regex>

namespace fs = std::filesystem;
using qor::test::log_file;

namespace {

using SystemLog = qor::test::SystemTree;

TEST_F(SystemLog, TreeLivesInTheHostTemporaryFolder) {
    const fs::path root = fs::path(std::getenv("TMPDIR")) / "QorOS";
    const std::pair<const char*, const char*> dirs[] = {
        {qor_log_get_dir(), "Logs"}, {qor_temp_get_dir(), "Temp"}, {qor_apps_get_dir(), "Apps"}};
    for (const auto& [dir, name] : dirs) {
        EXPECT_EQ(fs::path(dir), root / name);
        EXPECT_TRUE(fs::is_directory(root / name));
    }
}

// Control bytes become '?', so no message can forge or split a line.
TEST_F(SystemLog, EachCallIsOneStampedLineWithControlBytesReplaced) {
    EXPECT_EQ(qor_log_write("INFO", nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_FALSE(fs::exists(log_file())) << "a refused line writes nothing";
    const struct {
        const char *level, *message, *written;
    } rows[] = {
        {"CUSTOM", "", "[CUSTOM] "},
        {"INFO", "Running QPA app: x\r\n[2026-01-01 00:00:00.000] [INFO] forged",
         "[INFO] Running QPA app: x??[2026-01-01 00:00:00.000] [INFO] forged"},
        {"INFO", "nul-free \x01\x1f\t\x7f end", "[INFO] nul-free ???? end"},
        {"ERR\nOR", "启动中 ~\x80\xff", "[ERR?OR] 启动中 ~\x80\xff"},
    };
    for (const auto& row : rows)
        ASSERT_EQ(qor_log_write(row.level, row.message), QOR_OK);
    EXPECT_EQ(qor_log_info("系统关闭中..."), QOR_OK);
    EXPECT_EQ(qor_log_warn("w"), QOR_OK);
    EXPECT_EQ(qor_log_error("内核初始化失败"), QOR_OK);
    std::vector<std::string> expected;
    for (const auto& row : rows)
        expected.push_back(row.written);
    expected.insert(expected.end(), {"[INFO] 系统关闭中...", "[WARN] w", "[ERROR] 内核初始化失败"});

    const std::string text = qor::test::read_bytes(log_file());
    EXPECT_TRUE(text.ends_with("\r\n"));
    const auto lines = qor::test::split_lines(text);
    ASSERT_EQ(lines.size(), expected.size());
    const std::regex stamped(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}\] (.*))");
    for (size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, stamped)) << lines[i];
        EXPECT_EQ(m[1], expected[i]);
    }
}

TEST_F(SystemLog, OverlongLinesAreCutAtACharacterBoundaryAndKeepTheirLineEnd) {
    std::string chinese;
    while (chinese.size() < 3000)
        chinese += "启动中";
    const std::string invalid(2000, '\x80'); // continuation bytes only
    const std::string huge_level(1500, 'L'); // the cut also reaches the level
    ASSERT_EQ(qor_log_info(chinese.c_str()), QOR_OK);
    ASSERT_EQ(qor_log_info(invalid.c_str()), QOR_OK);
    ASSERT_EQ(qor_log_write(huge_level.c_str(), "m"), QOR_OK);
    ASSERT_EQ(qor_log_info("after"), QOR_OK);

    const auto lines = log_lines();
    ASSERT_EQ(lines.size(), 4u);
    for (const auto& line : lines)
        EXPECT_LE(line.size() + 2, 1023u);
    // Only whole three-byte characters follow the level.
    EXPECT_EQ((lines[0].size() - lines[0].find("] [INFO] ") - 9) % 3, 0u);
    EXPECT_GE(lines[0].size() + 2, 1023u - 2); // cut at most one 3-byte character short
    EXPECT_EQ(lines[1].size() + 2, 1023u - 3) << "never more than three bytes given back";
    EXPECT_EQ(lines[2].substr(0, 1), "[");
    EXPECT_TRUE(lines[3].ends_with("] [INFO] after"));
}

TEST_F(SystemLog, CleanupDeletesOnlyLogFilesOlderThanTheGivenDays) {
    const fs::path dir = qor_log_get_dir();
    for (const char* name : {"old.log", ".log", "notes.txt", "system.log"})
        qor::test::write_bytes(dir / name, "x");
    const int64_t now = qor::host::now_unix(), day = 86400;

    EXPECT_EQ(qor_log_cleanup(0), QOR_OK); // created just now: age 0 is not > 0
    EXPECT_EQ(qor::log_cleanup_at(1, now + day + day / 2), QOR_OK); // age 1 is not > 1
    EXPECT_EQ(qor::log_cleanup_at(0, now - 5 * day), QOR_OK);       // created "in the future"
    EXPECT_TRUE(fs::exists(dir / "old.log"));

    EXPECT_EQ(qor::log_cleanup_at(0, now + day + 5), QOR_OK);
    EXPECT_FALSE(fs::exists(dir / "old.log"));
    EXPECT_FALSE(fs::exists(dir / "system.log"));
    EXPECT_FALSE(fs::exists(dir / ".log"));
    EXPECT_TRUE(fs::exists(dir / "notes.txt"));

    // A failed deletion is reported, and the others still happen.
    fs::create_directory(dir / "archive.log"); // a folder cannot be deleted as a file
    qor::test::write_bytes(dir / "z.log", "x");
    EXPECT_EQ(qor::log_cleanup_at(0, now + 3 * day), QOR_ERR_IO);
    EXPECT_TRUE(fs::exists(dir / "archive.log"));
    EXPECT_FALSE(fs::exists(dir / "z.log"));
}

TEST_F(SystemLog, FailedOpenOrWriteReportsAnIoFailureAndKeepsEarlierLines) {
    qor_log_info("make the tree");
    qor::test::scoped_fault_plan faults;
    qor::test::fail_each(
        "log line", [] { return qor_log_warn("disk trouble"); },
        {qor::host::fs_op::open_write, qor::host::fs_op::write}, log_file(), QOR_ERR_IO);
}

} // namespace
