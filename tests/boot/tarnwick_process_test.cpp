// Drives the built Tarnwick as a user would, from a private copy: each copy
// has its own folder, so its bootsys tree and its temporary tree belong to
// this test alone.
#include "appfmt/package_fixtures.h"
#include "boot/log_fixture.h"
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
    fs::path system_log() const { return temp / "QorOS" / "Logs" / "system.log"; }
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

const char* const kVersionText = "QorOS v7.0.0 (Vuredivaz Uvodadov UZ for Windows)\n"
                                 "Qor(Talvoren) Graphics Engine | QorApp Ecosystem\n"
                                 "TrueType Font | 260+ Commands | Explorer Files\n"
                                 "Build: 2026-09-12\n";

// The console lines of boot steps 1 to 29, in order, for a given package
// count and browser state.
std::vector<std::string> boot_lines(unsigned packages, bool firefox) {
    return {
        "  [日志] 正在初始化系统日志...",
        "  [日志] 日志系统就绪 (Logs\\system.log)",
        "  [临时] Temp 目录已清理",
        "  [内核] 正在初始化系统内核...",
        "  [内核] 内核初始化完成",
        "  [图形] 正在启动 Qor 图形渲染引擎...",
        "  [图形] Qor 图形引擎就绪 (TrueType 字体支持)",
        "  [安全] 正在激活安全防护层...",
        "  [安全] 安全防护层已激活",
        "  [汇编] 正在加载 NASM 底层钩子...",
        "  [汇编] 底层钩子已加载",
        "  [数学] 正在初始化数学计算引擎...",
        "  [数学] 数学引擎就绪",
        "  [终端] 正在初始化终端命令系统...",
        "  [终端] 终端就绪 (260 命令已注册)",
        "  [文件] 正在初始化文件管理器...",
        "  [文件] 文件管理器就绪 (Explorer 风格)",
        "  [应用] 正在扫描已安装 QorApp...",
        "  [应用] 发现 " + std::to_string(packages) + " 个已安装应用",
        firefox ? "  [浏览器] Firefox (.qpa) 已安装"
                : "  [浏览器] Firefox (.qpa) 未安装, 可通过 Qorget 获取",
    };
}

// Checks banner framing and returns the index of the first line after it.
size_t check_banner(const std::vector<std::string>& lines, const fs::path& folder) {
    const std::string rule = "  " + std::string(60, '=');
    EXPECT_EQ(lines.at(0), "");
    EXPECT_EQ(lines.at(1), rule);
    size_t i = 2;
    int framed = 0;
    for (; i < lines.size() && lines[i] != rule; ++i, ++framed) {
        EXPECT_EQ(lines[i].size(), 62u) << lines[i];
        EXPECT_EQ(lines[i].substr(0, 3), "  |");
        EXPECT_EQ(lines[i].back(), '|');
    }
    EXPECT_EQ(framed, 12);
    EXPECT_EQ(lines.at(9), "  |     Vuzevudur Oruvuzid Ovivaruro Divozo v7.0             |");
    EXPECT_EQ(lines.at(i + 1), "");
    EXPECT_EQ(lines.at(i + 2), "  [系统] 启动 QorOS v7.0 寄生图形操作系统...");
    EXPECT_EQ(lines.at(i + 3), "  [系统] 宿主平台: Windows x64");
    EXPECT_EQ(lines.at(i + 4), "  [系统] 启动入口: Tarnwick.exe");
    EXPECT_EQ(lines.at(i + 5), "  [系统] 核心目录: " + (folder / "bootsys").string());
    EXPECT_EQ(lines.at(i + 6), "");
    return i + 7;
}

void expect_sequence(const std::vector<std::string>& lines, size_t from,
                     const std::vector<std::string>& expected) {
    ASSERT_GE(lines.size(), from + expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
        EXPECT_EQ(lines[from + k], expected[k]) << k;
}

} // namespace

TEST(TarnwickVersion, PrintsFourLinesAndTouchesNothing) {
    const tarnwick_copy copy;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--version"}, {"-v"}, {"--version", "extra", "--headless"}}) {
        const auto result = copy.run(args);
        EXPECT_EQ(result.exit_code, 0);
        EXPECT_EQ(result.out, kVersionText);
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
    const auto lines = split_lines(result.out, "\n");
    const size_t after = check_banner(lines, copy.folder);
    expect_sequence(lines, after, boot_lines(0, false));
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"", "  [系统] 所有子系统就绪, QorOS v7.0 启动完成!",
                                              "  [系统] 正在打开图形界面...", ""}));
    EXPECT_EQ(result.out.find("正在关闭"), std::string::npos)
        << "no shutdown after a failed window";
    const std::string log = qor::test::read_bytes(copy.system_log());
    EXPECT_NE(log.find("] [INFO] QorOS v7.0 启动完成, 进入图形模式\r\n"), std::string::npos);
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
    const auto lines = split_lines(result.out, "\n");
    const size_t after = check_banner(lines, copy.folder);
    expect_sequence(lines, after, boot_lines(2, false));
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"", "  [系统] QorOS v7.0 无头模式运行正常!",
                                        "  [系统] 按 Ctrl+C 退出...", "  [系统] 无头模式退出"}));
    EXPECT_FALSE(fs::exists(copy.temp / "QorOS" / "Temp" / "leftover.tmp"));

    const auto log = split_lines(qor::test::read_bytes(copy.system_log()));
    const std::regex stamp(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}\] \[INFO\] (.*))");
    const std::vector<std::string> messages = {"QorOS v7.0 启动中 (Windows 寄生模式)",
                                               "无头模式运行中", "无头模式正常退出"};
    ASSERT_EQ(log.size(), messages.size());
    for (size_t i = 0; i < log.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(log[i], m, stamp)) << log[i];
        EXPECT_EQ(m[1], messages[i]);
    }
    for (const char* dir :
         {"Logs", "Temp", "apps", "homet/Desktop", "homet/Pictures", "kernel", "qor", "security",
          "asm", "csharp", "diskmount", "qorget", "math", "appfmt", "config"})
        EXPECT_TRUE(fs::is_directory(copy.folder / "bootsys" / dir)) << dir;

    // A second run, with the short switch, finds every folder in place and
    // appends to the same log.
    qor::test::write_bytes(copy.folder / "bootsys" / "apps" / "firefox.qpa", "anything");
    const auto second = copy.run({"-h"});
    EXPECT_EQ(second.exit_code, 0);
    const auto again = split_lines(second.out, "\n");
    expect_sequence(again, check_banner(again, copy.folder), boot_lines(2, true));
    EXPECT_EQ(split_lines(qor::test::read_bytes(copy.system_log())).size(), 6u);
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
