// Launching packages: a fake `wine` on PATH records what it was given.
#include "package_fixtures.h"

#include "host/host_fault.h"

#include <gtest/gtest.h>
#include <qoros/qor_log.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace {

using qor::test::read_bytes;
using qor::test::write_bytes;

std::string log_text() {
    return read_bytes(std::filesystem::path(qor_log_get_dir()) / "system.log");
}

// Waits (bounded) for a condition that another process brings about.
template <typename Condition> bool eventually(Condition condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// Child processes of this process that have ended but were not reaped.
int zombie_children() {
    const std::string self = std::filesystem::read_symlink("/proc/self").string();
    int zombies = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        const size_t close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        std::string ppid;
        std::istringstream fields(line.substr(close + 2));
        fields >> state >> ppid;
        if (ppid == self && state == 'Z') ++zombies;
    }
    return zombies;
}

struct RunApp : ::testing::Test {
    std::filesystem::path dir = qor::test::fresh_folder();
    std::filesystem::path bin = dir / "bin";
    std::filesystem::path record = bin / "wine.record";
    std::filesystem::path qpa = dir / "game.qpa";
    std::string program = qor::test::program_bytes(5000, 8);
    std::string saved_path = std::getenv("PATH") ? std::getenv("PATH") : "";

    void SetUp() override {
        std::filesystem::create_directory(bin);
        write_bytes(dir / "game.exe", program);
        ASSERT_EQ(
            qpa_convert_exe((dir / "game.exe").c_str(), qpa.c_str(), "Game", "2.5", 0, 0, 0, 0, 0),
            QOR_OK);
    }
    void TearDown() override { setenv("PATH", saved_path.c_str(), 1); }

    // A wine that writes its working folder and arguments, one per line,
    // then renames the record into place so readers never see half of it.
    void install_fake_wine() {
        const auto script = bin / "wine";
        write_bytes(script,
                    "#!/bin/sh\n"
                    "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } >\"$0.part\"\n"
                    "mv \"$0.part\" \"$0.record\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
    }

    std::vector<std::string> recorded_lines() {
        EXPECT_TRUE(eventually([&] { return std::filesystem::exists(record); }));
        std::vector<std::string> lines;
        std::istringstream in(read_bytes(record));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

TEST_F(RunApp, StartsTheExtractedProgramInItsTemporaryFolderAndReapsIt) {
    install_fake_wine();
    ASSERT_EQ(qpa_run_app(qpa.c_str(), nullptr, nullptr), QOR_OK);
    const auto lines = recorded_lines();
    ASSERT_EQ(lines.size(), 2u);
    const std::filesystem::path started = lines[1];
    EXPECT_EQ(started.filename(), "app.exe");
    EXPECT_EQ(std::filesystem::path(lines[0]), started.parent_path()) << "working folder";
    EXPECT_EQ(started.parent_path().parent_path(), std::filesystem::path(qor_temp_get_dir()));
    EXPECT_EQ(read_bytes(started), program);
    EXPECT_NE(log_text().find("[INFO] Running QPA app: Game (v2.5)\r\n"), std::string::npos);
    EXPECT_TRUE(eventually([] { return zombie_children() == 0; }));
}

TEST_F(RunApp, PassesWorkingFolderAndWindowsStyleParameters) {
    install_fake_wine();
    ASSERT_EQ(qpa_run_app(qpa.c_str(), dir.c_str(), "-x \"two words\" a\\\"b  \"\" c:\\dir\\"),
              QOR_OK);
    const auto lines = recorded_lines();
    const std::vector<std::string> expected_args{"-x", "two words", "a\"b", "", "c:\\dir\\"};
    ASSERT_EQ(lines.size(), 2u + expected_args.size());
    EXPECT_EQ(std::filesystem::path(lines[0]), dir);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), expected_args);
}

TEST_F(RunApp, FailuresReturnTheirStepsCodeAndLogIt) {
    setenv("PATH", bin.c_str(), 1); // empty folder: no wine to start
    EXPECT_EQ(qpa_run_app(qpa.c_str(), nullptr, nullptr), QOR_ERR_PROCESS);
    EXPECT_NE(log_text().find("[ERROR] qpa_run_app: ShellExecute failed\r\n"), std::string::npos);
    install_fake_wine();
    EXPECT_EQ(qpa_run_app(qpa.c_str(), (dir / "missing-folder").c_str(), nullptr), QOR_ERR_PROCESS)
        << "a working folder that cannot be entered fails the start";
    EXPECT_EQ(qpa_run_app((dir / "missing.qpa").c_str(), nullptr, nullptr), QOR_ERR_IO);
    write_bytes(dir / "text.qpa", std::string(700, 't'));
    EXPECT_EQ(qpa_run_app((dir / "text.qpa").c_str(), nullptr, nullptr), QOR_ERR_INVALID_ARG);
    const std::string invalid = "[ERROR] qpa_run_app: invalid QPA file\r\n";
    const std::string log = log_text();
    EXPECT_NE(log.find(invalid), std::string::npos);
    EXPECT_NE(log.find(invalid, log.find(invalid) + 1), std::string::npos) << "one per failure";

    // The staged output is the only file created for writing after the log
    // line: make its creation fail.
    qor::host::set_fs_fault_hook([](qor::host::fs_op op) {
        static int writes = 0;
        return op == qor::host::fs_op::open_write && ++writes == 1;
    });
    EXPECT_EQ(qpa_run_app(qpa.c_str(), nullptr, nullptr), QOR_ERR_IO);
    qor::host::set_fs_fault_hook(nullptr);
    EXPECT_NE(log_text().find("[ERROR] qpa_run_app: failed to extract exe\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(RunApp, HostileTextsAreBoundedInTheLogLine) {
    install_fake_wine();
    std::string file = read_bytes(qpa);
    qpa_header h = qor::test::header_of(file);
    std::memset(h.name, 'N', sizeof h.name); // no terminator anywhere
    std::memset(h.version, 'V', sizeof h.version);
    std::memcpy(file.data(), &h, sizeof h);
    write_bytes(qpa, file);
    ASSERT_EQ(qpa_run_app(qpa.c_str(), nullptr, nullptr), QOR_OK);
    const std::string expected =
        "Running QPA app: " + std::string(64, 'N') + " (v" + std::string(32, 'V') + ")\r\n";
    EXPECT_NE(log_text().find(expected), std::string::npos);
}

} // namespace
