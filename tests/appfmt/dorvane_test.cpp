// The dorvane program, run as a user runs it: texts, exit codes, packages.
#include "package_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using qor::test::read_bytes;
using qor::test::write_bytes;

struct run_result {
    int exit_code = -1;
    std::string out;
};

std::string shell_quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Dorvane : ::testing::Test {
    std::filesystem::path dir = qor::test::fresh_folder();

    void SetUp() override {
        std::filesystem::copy_file(QOR_DORVANE_PATH, dir / "dorvane");
        write_bytes(dir / "app.exe", qor::test::program_bytes(2048));
    }

    // `environment`: assignments put before the program ("A=1 B=2").
    run_result run(const std::vector<std::string>& args, const std::string& environment = "") {
        std::string command =
            "cd " + shell_quote(dir.string()) + " && " + environment + " ./dorvane";
        for (const auto& arg : args)
            command += " " + shell_quote(arg);
        command += " >stdout.txt 2>stderr.txt; echo $? >rc.txt";
        EXPECT_EQ(std::system(command.c_str()), 0);
        run_result result;
        result.exit_code = std::atoi(read_bytes(dir / "rc.txt").c_str());
        result.out = read_bytes(dir / "stdout.txt");
        EXPECT_EQ(read_bytes(dir / "stderr.txt"), "");
        for (const char* name : {"rc.txt", "stdout.txt", "stderr.txt"})
            std::filesystem::remove(dir / name);
        return result;
    }

    qpa_header package(const std::string& name = "app.qpa") {
        return qor::test::header_of_file(dir / name);
    }
};

constexpr const char* kUsage = "QorApp Converter v7.0 - EXE to QPA format converter\n"
                               "Usage: ./dorvane <input.exe> <output.qpa> [options]\n"
                               "Options:\n"
                               "  -n <name>        Application name\n"
                               "  -v <version>     Application version\n"
                               "  -a <author>      Application author\n"
                               "  -d <desc>        Application description\n"
                               "  -i <icon.ico>    Icon file path\n"
                               "  -c <category>    Application category\n"
                               "  -g               GUI application flag\n"
                               "  -m               Need M-drive flag\n"
                               "  --admin          Need admin privileges\n";

std::string success_text(const std::string& in, const std::string& out, const std::string& name,
                         const std::string& version = "1.0.0",
                         const std::string& author = "Unknown",
                         const std::string& category = "Utilities") {
    return "Converting: " + in + " -> " + out + "\n  Name:     " + name +
           "\n  Version:  " + version + "\n  Author:   " + author + "\n  Category: " + category +
           "\n\nConversion successful!\n";
}

TEST_F(Dorvane, PrintsTwelveUsageLinesWithoutBothPaths) {
    for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"app.exe"}}) {
        const run_result r = run(args);
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.out, kUsage);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "app.qpa"));
}

TEST_F(Dorvane, DefaultsWithAWindowsStylePath) {
    write_bytes(dir / "C:\\apps\\game.exe", qor::test::program_bytes(1024));
    const run_result r = run({"C:\\apps\\game.exe", "game.qpa"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, success_text("C:\\apps\\game.exe", "game.qpa", "game.exe"));
    const qpa_header h = package("game.qpa");
    EXPECT_EQ(+h.format_version, 7) << "the stand-alone converter writes version 7";
    EXPECT_STREQ(h.name, "game.exe");
    EXPECT_STREQ(h.version, "1.0.0");
    EXPECT_STREQ(h.author, "Unknown");
    EXPECT_STREQ(h.description, "");
    EXPECT_STREQ(h.category, "Utilities");
    EXPECT_EQ(+h.flags, 0);
    EXPECT_EQ(read_bytes(dir / "game.qpa").size(), 1536u);
}

TEST_F(Dorvane, AllOptionsReachTheHeader) {
    write_bytes(dir / "icon.ico", "ICONDATA");
    const run_result r = run({"app.exe", "app.qpa", "-n", "Name", "-v", "1.2", "-a", "Me", "-d",
                              "A tool", "-c", "Tools", "-i", "icon.ico", "-g", "-m", "--admin"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, success_text("app.exe", "app.qpa", "Name", "1.2", "Me", "Tools"));
    const qpa_header h = package();
    EXPECT_STREQ(h.name, "Name");
    EXPECT_STREQ(h.version, "1.2");
    EXPECT_STREQ(h.author, "Me");
    EXPECT_STREQ(h.description, "A tool");
    EXPECT_STREQ(h.category, "Tools");
    EXPECT_EQ(+h.flags, 0x001D);
    EXPECT_EQ(+h.icon_size, 8u);
    EXPECT_TRUE(qpa_verify((dir / "app.qpa").c_str()));
}

TEST_F(Dorvane, FlagOptionsWithoutIcon) {
    EXPECT_EQ(run({"app.exe", "app.qpa", "--admin", "-m", "-g"}).exit_code, 0);
    EXPECT_EQ(+package().flags, 0x001C);
    EXPECT_EQ(run({"app.exe", "app.qpa", "-i", "missing.ico", "-g"}).exit_code, 0);
    EXPECT_EQ(+package().flags, QPA_FLAG_GUI) << "a missing icon is left out silently";
}

TEST_F(Dorvane, OptionRules) {
    struct {
        std::vector<std::string> extra;
        std::string name;
        uint16_t flags;
    } const cases[] = {
        {{"-n"}, "app.exe", 0},                        // value missing: ignored
        {{"-n", "-g"}, "-g", 0},                       // a value may start with '-'
        {{"-x", "word"}, "app.exe", 0},                // unknown option and plain word
        {{"-nName", "-gx", "--admins"}, "app.exe", 0}, // prefixes do not match
        {{"-n", "First", "-n", "Second"}, "Second", 0},
        {{"extra", "-g"}, "app.exe", QPA_FLAG_GUI},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"app.exe", "app.qpa"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const run_result r = run(args);
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(r.out, success_text("app.exe", "app.qpa", c.name)) << c.extra[0];
        EXPECT_STREQ(package().name, c.name.c_str());
        EXPECT_EQ(+package().flags, +c.flags) << c.extra[0];
    }
}

TEST_F(Dorvane, NamesDerivedFromPaths) {
    std::filesystem::create_directories(dir / "sub");
    write_bytes(dir / "sub" / "tool.exe", qor::test::program_bytes(10));
    EXPECT_EQ(run({"sub/tool.exe", "t.qpa"}).exit_code, 0);
    EXPECT_STREQ(package("t.qpa").name, "tool.exe");
    write_bytes(dir / "a\\b.exe", qor::test::program_bytes(10));
    EXPECT_EQ(run({"a\\b.exe", "b.qpa"}).exit_code, 0);
    EXPECT_STREQ(package("b.qpa").name, "b.exe");
}

TEST_F(Dorvane, LongVersionIsCutTo31Bytes) {
    const std::string version(40, '9');
    const run_result r = run({"app.exe", "app.qpa", "-v", version});
    EXPECT_EQ(r.out, success_text("app.exe", "app.qpa", "app.exe", version));
    EXPECT_EQ(std::string(package().version), version.substr(0, 31));
}

TEST_F(Dorvane, FailureMessagesAndExitCodes) {
    write_bytes(dir / "empty.exe", "");
    write_bytes(dir / "text.exe", "hello");
    write_bytes(dir / "one.exe", "M");
    struct {
        const char* input;
        int code;
    } const cases[] = {{"missing.exe", -4}, {"empty.exe", -4}, {"text.exe", -1}, {"one.exe", -1}};
    for (const auto& c : cases) {
        const run_result r = run({c.input, "out.qpa"});
        EXPECT_EQ(r.exit_code, 1);
        const std::string name = c.input;
        EXPECT_EQ(r.out, "Converting: " + name + " -> out.qpa\n  Name:     " + name +
                             "\n  Version:  1.0.0\n  Author:   Unknown\n  Category: Utilities\n"
                             "\nConversion failed with error code: " +
                             std::to_string(c.code) + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir / "out.qpa"));
    }
}

} // namespace

#ifdef QOR_FAULT_SHIM_PATH
namespace {

// Real system-call failures inside the built program, through the preloaded
// shim: every write position with a full disk and with an I/O error, a
// failing fsync and a failing rename. Each time dorvane reports code -4 and
// the package already at the destination stays byte for byte.
TEST_F(Dorvane, RealDiskErrorsFailTheConversionAndKeepTheOldPackage) {
    write_bytes(dir / "big.exe", qor::test::program_bytes(3u << 20));
    write_bytes(dir / "app.qpa", "previous package");
    const std::string listing = qor::test::folder_listing(dir);
    const std::string shim = std::string("LD_PRELOAD=") + QOR_FAULT_SHIM_PATH +
                             " ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0";
    const std::string failed = "\nConversion failed with error code: -4\n";
    auto expect_failed_intact = [&](const std::string& environment) {
        const run_result r = run({"big.exe", "app.qpa"}, shim + " " + environment);
        EXPECT_EQ(r.exit_code, 1) << environment;
        EXPECT_TRUE(r.out.size() > failed.size() &&
                    r.out.compare(r.out.size() - failed.size(), failed.size(), failed) == 0)
            << environment << ": " << r.out;
        EXPECT_EQ(read_bytes(dir / "app.qpa"), "previous package") << environment;
        EXPECT_EQ(qor::test::folder_listing(dir), listing) << environment;
    };
    for (const char* code : {"28" /* ENOSPC */, "5" /* EIO */}) {
        int position = 1;
        // Header, program prefix, three 1 MiB chunks, header again.
        for (; position <= 6; ++position)
            expect_failed_intact("QOR_SHIM_WRITE_ERRNO=" + std::string(code) +
                                 " QOR_SHIM_FAIL_WRITE=" + std::to_string(position));
    }
    expect_failed_intact("QOR_SHIM_FAIL_FSYNC=1");
    expect_failed_intact("QOR_SHIM_FAIL_RENAME=1");
    expect_failed_intact("QOR_SHIM_NO_TMPFILE=1 QOR_SHIM_FAIL_RENAME=1");
    // A seventh write does not exist: the conversion then succeeds.
    EXPECT_EQ(run({"big.exe", "app.qpa"}, shim + " QOR_SHIM_FAIL_WRITE=7").exit_code, 0);
    EXPECT_EQ(static_cast<uint64_t>(package().exe_size), uint64_t{3} << 20);
}

TEST_F(Dorvane, WithoutUnnamedTemporaryFilesNothingIsLeftEither) {
    write_bytes(dir / "app.qpa", "previous package");
    const std::string listing = qor::test::folder_listing(dir);
    const run_result r =
        run({"app.exe", "app.qpa"}, std::string("LD_PRELOAD=") + QOR_FAULT_SHIM_PATH +
                                        " ASAN_OPTIONS=verify_asan_link_order=0"
                                        ":detect_leaks=0 QOR_SHIM_NO_TMPFILE=1");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_TRUE(qpa_verify((dir / "app.qpa").c_str()));
    EXPECT_EQ(qor::test::folder_listing(dir), listing);
}

} // namespace
#endif
