#include "boot/system_tree.h"
#include "host/host_time.h"
#include "log_fixture.h"
#include "support/fault_matrix.h"
#include "support/scratch.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>

namespace fs = std::filesystem;
using qor::test::log_file;
using qor::test::split_lines;

namespace {

const std::regex kLine(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}\] \[([A-Z]+)\] (.*))");

class SystemLog : public ::testing::Test {
  protected:
    void SetUp() override { qor::test::empty_folder(qor_log_get_dir()); }
};

} // namespace

TEST_F(SystemLog, TreeLivesInTheHostTemporaryFolder) {
    const fs::path root = fs::path(std::getenv("TMPDIR")) / "QorOS";
    EXPECT_EQ(fs::path(qor_log_get_dir()), root / "Logs");
    EXPECT_EQ(fs::path(qor_temp_get_dir()), root / "Temp");
    EXPECT_EQ(fs::path(qor_apps_get_dir()), root / "Apps");
    for (const char* dir : {"Logs", "Temp", "Apps"})
        EXPECT_TRUE(fs::is_directory(root / dir));
}

TEST_F(SystemLog, LinesCarryTimestampLevelAndMessageAndAppend) {
    EXPECT_EQ(qor_log_write("INFO", nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_FALSE(fs::exists(log_file())) << "a refused line writes nothing";
    EXPECT_EQ(qor_log_info("系统关闭中..."), QOR_OK);
    EXPECT_EQ(qor_log_warn("w"), QOR_OK);
    EXPECT_EQ(qor_log_error("内核初始化失败"), QOR_OK);
    EXPECT_EQ(qor_log_write("CUSTOM", ""), QOR_OK);
    const std::string text = qor::test::read_bytes(log_file());
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = split_lines(text);
    ASSERT_EQ(lines.size(), 4u);
    const char* levels[] = {"INFO", "WARN", "ERROR", "CUSTOM"};
    const char* messages[] = {"系统关闭中...", "w", "内核初始化失败", ""};
    for (size_t i = 0; i < 4; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, kLine)) << lines[i];
        EXPECT_EQ(m[1], levels[i]);
        EXPECT_EQ(m[2], messages[i]);
    }
}

TEST_F(SystemLog, ControlBytesBecomeQuestionMarksSoEveryCallIsOneLine) {
    struct row {
        const char* level;
        const char* message;
        const char* level_written;
        const char* message_written;
    };
    const row rows[] = {
        {"INFO", "Running QPA app: x\r\n[2026-01-01 00:00:00.000] [INFO] forged", "INFO",
         "Running QPA app: x??[2026-01-01 00:00:00.000] [INFO] forged"},
        {"INFO", "nul-free \x01\x1f\t\x7f end", "INFO", "nul-free ???? end"},
        {"ERR\nOR", "启动中 ~\x80\xff", "ERR?OR", "启动中 ~\x80\xff"},
    };
    for (const row& r : rows)
        ASSERT_EQ(qor_log_write(r.level, r.message), QOR_OK);
    const auto lines = split_lines(qor::test::read_bytes(log_file()));
    ASSERT_EQ(lines.size(), std::size(rows));
    const std::regex any_level(R"(\[[^\]]+\] \[([^\]]+)\] (.*))");
    for (size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, any_level)) << lines[i];
        EXPECT_EQ(m[1], rows[i].level_written);
        EXPECT_EQ(m[2], rows[i].message_written);
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

    const auto lines = split_lines(qor::test::read_bytes(log_file()));
    ASSERT_EQ(lines.size(), 4u);
    for (const auto& line : lines)
        EXPECT_LE(line.size() + 2, 1023u);
    // Only whole three-byte characters follow the level.
    EXPECT_EQ((lines[0].size() - lines[0].find("] [INFO] ") - 9) % 3, 0u);
    EXPECT_GE(lines[0].size() + 2, 1023u - 2); // cut at most one 3-byte character short
    EXPECT_EQ(lines[1].size() + 2, 1023u - 3) << "never more than three bytes given back";
    EXPECT_EQ(lines[2].substr(0, 1), "[");
    EXPECT_TRUE(std::regex_match(lines[3], kLine));
}

TEST_F(SystemLog, CleanupDeletesOnlyLogFilesOlderThanTheGivenDays) {
    const fs::path dir = qor_log_get_dir();
    qor::test::write_bytes(dir / "old.log", "x");
    qor::test::write_bytes(dir / "notes.txt", "x");
    qor::test::write_bytes(dir / "system.log", "x");
    const int64_t now = qor::host::now_unix();
    const int64_t day = 86400;

    EXPECT_EQ(qor_log_cleanup(0), QOR_OK); // created just now: age 0 is not > 0
    EXPECT_TRUE(fs::exists(dir / "old.log"));
    EXPECT_EQ(qor::log_cleanup_at(1, now + day + day / 2), QOR_OK); // age 1 is not > 1
    EXPECT_TRUE(fs::exists(dir / "old.log"));
    EXPECT_EQ(qor::log_cleanup_at(0, now - 5 * day), QOR_OK); // created "in the future"
    EXPECT_TRUE(fs::exists(dir / "old.log"));

    EXPECT_EQ(qor::log_cleanup_at(0, now + day + 5), QOR_OK);
    EXPECT_FALSE(fs::exists(dir / "old.log"));
    EXPECT_FALSE(fs::exists(dir / "system.log"));
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
