// Drives the built Tarnwick as a user would, from a private copy: each copy
// has its own folder, so its bootsys tree and its temporary tree belong to
// this test alone.
#include "appfmt/package_fixtures.h"
#include "boot/system_tree_fixture.h"
#include "support/child_process.h"

#include <gtest/gtest.h>
#include <regex>

namespace fs = std::filesystem;
using qor::test::split_lines;

namespace {

struct tarnwick_copy {
    fs::path folder = qor::test::fresh_folder("tarnwick"); // the program and its bootsys tree
    fs::path temp = folder / "tmp";                        // the TMPDIR it runs with

    tarnwick_copy() {
        fs::create_directories(temp);
        fs::copy_file(QOR_TARNWICK_PATH, program());
    }
    fs::path program() const {
        return folder / ("Tarnwick" + fs::path(QOR_TARNWICK_PATH).extension().string());
    }
    std::vector<std::string> log() const {
        return split_lines(qor::test::read_bytes(temp / "QorOS" / "Logs" / "system.log"));
    }
    // The temporary folder is TMPDIR on Linux, TMP on Windows. Console lines
    // come back ending in "\n" on both.
    qor::test::run_result run(const std::vector<std::string>& args) const {
        auto result = qor::test::run_program(program().string(), args,
                                             {{"TMPDIR", temp.string()}, {"TMP", temp.string()}});
        result.out = qor::test::console_text(result.out);
        result.err = qor::test::console_text(result.err);
        return result;
    }
};

// The console of a boot: a blank line, the banner (twelve rows framed 62
// columns wide between two rules), the five system lines naming the bootsys
// folder, then one tagged line per boot step, of which the last two report
// the package scan. Returns the lines after the boot steps.
std::vector<std::string> expect_boot(const std::string& out, const fs::path& folder,
                                     unsigned packages, bool firefox) {
    const auto lines = split_lines(out, "\n");
    const std::string rule = "  " + std::string(60, '=');
    EXPECT_EQ(lines.at(1), rule);
    size_t i = 2;
    for (; i < lines.size() && lines[i] != rule; ++i)
        EXPECT_TRUE(lines[i].size() == 62 && lines[i].starts_with("  |") && lines[i].back() == '|')
            << lines[i];
    EXPECT_EQ(i, 14u);
    EXPECT_EQ(lines.at(i + 5), "  [系统] 核心目录: " + (folder / "bootsys").string());
    const size_t steps = i + 7, scan = steps + 18;
    for (size_t k = steps; k < scan + 2 && k < lines.size(); ++k)
        EXPECT_TRUE(lines[k].starts_with("  [")) << k << ": " << lines[k];
    EXPECT_EQ(lines.at(scan), "  [应用] 发现 " + std::to_string(packages) + " 个已安装应用");
    EXPECT_EQ(lines.at(scan + 1), firefox ? "  [浏览器] Firefox (.qpa) 已安装"
                                          : "  [浏览器] Firefox (.qpa) 未安装, 可通过 Qorget 获取");
    return {lines.begin() + static_cast<long>(scan + 2), lines.end()};
}

} // namespace

TEST(TarnwickVersion, PrintsFourLinesAndTouchesNothing) {
    const tarnwick_copy copy;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--version"}, {"-v"}, {"--version", "extra", "--headless"}}) {
        const auto result = copy.run(args);
        EXPECT_EQ(result.exit_code, 0);
        EXPECT_TRUE(result.out.starts_with("QorOS v7.0.0 ")) << result.out;
        EXPECT_EQ(split_lines(result.out, "\n").size(), 4u);
        EXPECT_EQ(result.err, "");
    }
    EXPECT_FALSE(fs::exists(copy.folder / "bootsys"));
    EXPECT_TRUE(fs::is_empty(copy.temp)) << "no log, no QorOS tree";
}

TEST(TarnwickDesktop, WithoutAHostWindowBootsThenFailsTheWindowSetUp) {
    const tarnwick_copy copy;
    const auto result = copy.run({"extra", "--version"}); // only the first argument counts
    EXPECT_EQ(result.exit_code, 1);
    const std::string failed_step =
        QOR_NO_DISPLAY_FAILS_AT_WINDOW ? "  [图形] 窗口创建失败!\n" : "  [图形] 窗口注册失败!\n";
    EXPECT_EQ(result.err, failed_step + "  [系统] 图形界面创建失败!\n");
    EXPECT_EQ(expect_boot(result.out, copy.folder, 0, false),
              (std::vector<std::string>{"", "  [系统] 所有子系统就绪, QorOS v7.0 启动完成!",
                                        "  [系统] 正在打开图形界面...", ""}))
        << "no shutdown after a failed window";
    EXPECT_TRUE(copy.log().back().ends_with("] [INFO] QorOS v7.0 启动完成, 进入图形模式"));
    EXPECT_TRUE(fs::is_directory(copy.folder / "bootsys" / "homet" / "Documents"));
}

TEST(TarnwickHeadless, BootsRunsTheSchedulerAndExitsCleanlyTwice) {
    const tarnwick_copy copy;
    const fs::path apps = copy.temp / "QorOS" / "Apps";
    fs::create_directories(apps);
    qor::test::write_bytes(apps / "editor.qpa", qor::test::bare_package("Editor", 600));
    qor::test::write_bytes(apps / "game.qpa", qor::test::bare_package("Game", 600));
    qor::test::write_bytes(apps / "notes.qpa", "plain text that only looks like a package\n");
    qor::test::write_bytes(copy.temp / "QorOS" / "Temp" / "leftover.tmp", "x");

    const auto result = copy.run({"--headless"});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(expect_boot(result.out, copy.folder, 2, false).back(), "  [系统] 无头模式退出");
    EXPECT_FALSE(fs::exists(copy.temp / "QorOS" / "Temp" / "leftover.tmp"));
    const std::regex info(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}\] \[INFO\] .*)");
    const auto log = copy.log();
    ASSERT_EQ(log.size(), 3u);
    for (const auto& line : log)
        EXPECT_TRUE(std::regex_match(line, info)) << line;
    EXPECT_TRUE(log[2].ends_with("无头模式正常退出"));
    for (const char* dir : {"Logs", "homet/Desktop", "config"})
        EXPECT_TRUE(fs::is_directory(copy.folder / "bootsys" / dir)) << dir;

    // A second run, with the short switch, finds every folder in place and
    // appends to the same log.
    qor::test::write_bytes(copy.folder / "bootsys" / "apps" / "firefox.qpa", "anything");
    const auto second = copy.run({"-h"});
    EXPECT_EQ(second.exit_code, 0);
    expect_boot(second.out, copy.folder, 2, true);
    EXPECT_EQ(copy.log().size(), 6u);
}

// Two processes appending long lines at the same moment: each line arrives
// whole, never cut into by the other.
TEST(SystemLogProcesses, LinesFromTwoProcessesNeverInterleave) {
    const fs::path temp = qor::test::fresh_folder("shared-tmp");
    const std::map<std::string, std::string> env = {{"TMPDIR", temp.string()},
                                                    {"TMP", temp.string()}};
    auto first = qor::test::start_background(QOR_LOG_WRITER_PATH, {"A", "400"}, env);
    auto second = qor::test::start_background(QOR_LOG_WRITER_PATH, {"B", "400"}, env);
    ASSERT_EQ(qor::test::wait_for(&first), 0);
    ASSERT_EQ(qor::test::wait_for(&second), 0);

    const auto lines = split_lines(qor::test::read_bytes(temp / "QorOS" / "Logs" / "system.log"));
    std::map<std::string, int> bodies; // a line cut into by the other would add a key
    for (const auto& line : lines)
        ++bodies[line.substr(line.find("] [INFO] ") + 9)];
    const std::string a = "A" + std::string(900, 'a'), b = "B" + std::string(900, 'b');
    EXPECT_EQ(bodies, (std::map<std::string, int>{{a, 400}, {b, 400}}));
}
