// The boot in-process: a failing stage stops the boot where it happens, and
// each mode turns that into exit code 1.
#include "boot/boot_modes.h"
#include "boot/boot_sequence.h"
#include "desktop/explorer_state.h"
#include "host/host_dialog.h"
#include "session/bootsys_paths.h"
#include "support/scratch.h"
#include "system_tree_fixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <qoros/qor_terminal.h>
#include <vector>

using qor::desktop::g_files;

namespace {

constexpr int kSecurityStage = 3;
int fail_with_security_code() {
    return QOR_ERR_SECURITY;
}

std::string g_box_caption, g_box_text;
void record_box(const char* caption, const char* text) {
    g_box_caption = caption;
    g_box_text = text;
}

// Replaces one stage for the length of a test.
class FailingStage : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = boot_steps()[kSecurityStage];
        boot_steps()[kSecurityStage] = fail_with_security_code;
        qor::host::set_error_box_presenter(record_box);
    }
    void TearDown() override {
        boot_steps()[kSecurityStage] = saved;
        qor::host::set_error_box_presenter(nullptr);
    }
    boot_step saved = nullptr;
};

const char* const kBeforeFailure = "  [安全] 正在激活安全防护层...\n";

} // namespace

TEST(BootModes, OnlyTheFirstArgumentChoosesTheMode) {
    const struct {
        std::vector<const char*> argv;
        run_mode mode;
    } cases[] = {
        {{"Tarnwick", "--version", "extra"}, run_mode::version},
        {{"Tarnwick", "-v"}, run_mode::version},
        {{"Tarnwick", "--headless"}, run_mode::headless},
        {{"Tarnwick", "-h", "--version"}, run_mode::headless},
        {{"Tarnwick", "extra", "--version"}, run_mode::desktop},
        {{"Tarnwick"}, run_mode::desktop},
        {{"Tarnwick", "--Version"}, run_mode::desktop},
    };
    for (const auto& c : cases)
        EXPECT_EQ(choose_mode(static_cast<int>(c.argv.size()), c.argv.data()), c.mode)
            << c.argv.back();
    EXPECT_EQ(choose_mode(0, nullptr), run_mode::desktop);
}

TEST(BootSequence, AllStagesSucceedAndSetUpTheTerminalAndExplorer) {
    std::strcpy(g_homet_dir, "/somewhere/bootsys/homet");
    g_files.count = 9;
    g_files.selected = 4;
    g_files.scroll = 3;
    g_files.sidebar_selected = 2;
    testing::internal::CaptureStdout();
    EXPECT_EQ(init_subsystems(), QOR_OK);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("  [终端] 终端就绪 (260 命令已注册)\n"), std::string::npos);
    EXPECT_TRUE(g_term_init);
    EXPECT_STREQ(g_files.path, "/somewhere/bootsys/homet");
    EXPECT_EQ(g_files.count, 0);
    EXPECT_EQ(g_files.selected, -1);
    EXPECT_EQ(g_files.scroll, 0);
    EXPECT_EQ(g_files.sidebar_selected, 0);
}

TEST_F(FailingStage, StopsTheBootThereAndHeadlessExitsWithOne) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(init_subsystems(), QOR_ERR_SECURITY);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("  [图形] Qor 图形引擎就绪 (TrueType 字体支持)\n"), std::string::npos);
    EXPECT_EQ(out.find(kBeforeFailure), std::string::npos) << "the stand-in replaced the stage";
    EXPECT_EQ(out.find("[汇编]"), std::string::npos);
    EXPECT_EQ(out.find("[终端]"), std::string::npos);

    testing::internal::CaptureStdout();
    EXPECT_EQ(run_headless(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("无头模式"), std::string::npos);
    EXPECT_EQ(qor::test::read_bytes(qor::test::log_file()).find("无头模式"), std::string::npos);
}

TEST_F(FailingStage, DesktopReportsOnTheErrorStreamTheLogAndABox) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_desktop(), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "\n  [系统] 致命错误: 子系统初始化失败!\n");
    EXPECT_EQ(g_box_caption, "QorOS v7.0 启动错误");
    EXPECT_EQ(g_box_text, "QorOS 初始化失败, 无法启动。\n请查看 Logs\\system.log 获取详细信息。");
    EXPECT_NE(
        qor::test::read_bytes(qor::test::log_file()).find("] [ERROR] 系统初始化失败, 启动中止\r\n"),
        std::string::npos);
    EXPECT_EQ(out.find("启动完成"), std::string::npos);
    EXPECT_EQ(out.find("正在关闭"), std::string::npos);
}
