// The dorvane program, run as a user runs it: exit codes, packages, and the
// user's files left alone when it fails.
#include "package_fixtures.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using qor::test::write_bytes;
using args = std::vector<std::string>;

struct Dorvane : ::testing::Test {
    std::filesystem::path dir = qor::test::fresh_folder();

    void SetUp() override {
        const std::filesystem::path built = QOR_DORVANE_PATH;
        std::filesystem::copy_file(built, dir / ("dorvane" + built.extension().string()));
        write_bytes(dir / "app.exe", qor::test::program_bytes(2048));
    }
    // Runs ./dorvane in the test folder, as a user types it, with `environment`
    // set on top of the test's own; it never writes to the error stream.
    // Console lines come back ending in "\n".
    qor::test::run_result run(const args& arguments,
                              const std::map<std::string, std::string>& environment = {}) {
        auto result = qor::test::run_program("./dorvane", arguments, environment, dir.string());
        EXPECT_EQ(result.err, "");
        result.out = qor::test::console_text(result.out);
        return result;
    }
    qpa_header package(const std::string& name = "app.qpa") {
        return qor::test::header_of_file(dir / name);
    }
};

// dorvane shows what it converts before its verdict: the two paths and the
// name first.
bool starts_with_summary(const std::string& out, const std::string& in, const std::string& name) {
    return out.rfind("Converting: " + in + " -> app.qpa\n  Name:     " + name + "\n", 0) == 0;
}
const std::string kSuccess = "\nConversion successful!\n";
bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The header fields the options set, as one text to compare.
std::string option_fields(const qpa_header& h) {
    return std::string(h.name) + "|" + h.version + "|" + h.author + "|" + h.description + "|" +
           h.category + "|" + std::to_string(+h.flags) + "|" + std::to_string(+h.icon_size);
}

// Without both paths the usage is shown, naming the program as typed, and
// nothing is written; every option the usage lists then changes the package.
TEST_F(Dorvane, UsageWithoutBothPathsListsOptionsThatEachReachThePackage) {
    write_bytes(dir / "icon.ico", "ICONDATA");
    const auto listing = qor::test::folder_names(dir);
    std::string usage;
    for (const auto& arguments : {args{}, args{"app.exe"}}) {
        const auto r = run(arguments);
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_NE(r.out.find("Usage: ./dorvane <input.exe> <output.qpa> [options]\n"),
                  std::string::npos)
            << r.out;
        EXPECT_EQ(qor::test::folder_names(dir), listing);
        usage = r.out;
    }
    ASSERT_EQ(run({"app.exe", "app.qpa"}).exit_code, 0);
    const std::string plain = option_fields(package());
    std::istringstream lines(usage);
    int options = 0;
    for (std::string line, option; std::getline(lines, line);) {
        if (line.rfind("  -", 0) != 0) continue;
        std::istringstream(line) >> option;
        const auto r = run({"app.exe", "app.qpa", option, "icon.ico"});
        EXPECT_EQ(r.exit_code, 0) << option;
        EXPECT_NE(option_fields(package()), plain) << option;
        ++options;
    }
    EXPECT_EQ(options, 9);
}

TEST_F(Dorvane, DefaultNameIsTheProgramsFileName) {
    std::filesystem::create_directories(dir / "sub");
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\apps\\game.exe", "game.exe"}, {"sub/tool.exe", "tool.exe"}, {"a\\b.exe", "b.exe"}};
    for (const auto& [input, name] : cases) {
        SCOPED_TRACE(input);
        write_bytes(dir / input, qor::test::program_bytes(1024));
        const auto r = run({input, "app.qpa"});
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_TRUE(starts_with_summary(r.out, input, name) && ends_with(r.out, kSuccess)) << r.out;
        const qpa_header h = package();
        EXPECT_EQ(+h.format_version, 7) << "the stand-alone converter writes version 7";
        EXPECT_STREQ(h.name, name.c_str());
        EXPECT_EQ(+h.flags, 0);
        EXPECT_TRUE(qpa_verify((dir / "app.qpa").string().c_str()));
    }
}

TEST_F(Dorvane, OptionRules) {
    struct {
        args extra;
        std::string name;
        uint16_t flags;
    } const cases[] = {
        {{"-n"}, "app.exe", 0},                        // value missing: ignored
        {{"-n", "-g"}, "-g", 0},                       // a value may start with '-'
        {{"-x", "word"}, "app.exe", 0},                // unknown option and plain word
        {{"-nName", "-gx", "--admins"}, "app.exe", 0}, // prefixes do not match
        {{"-n", "First", "-n", "Second"}, "Second", 0},
        {{"extra", "-g", "-m", "--admin"}, "app.exe", 0x1C},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extra[0]);
        args arguments{"app.exe", "app.qpa"};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        const auto r = run(arguments);
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_TRUE(starts_with_summary(r.out, "app.exe", c.name)) << r.out;
        EXPECT_STREQ(package().name, c.name.c_str());
        EXPECT_EQ(+package().flags, +c.flags);
    }
}

TEST_F(Dorvane, FailuresShowTheLibrarysCodeAndKeepTheOldPackage) {
    write_bytes(dir / "empty.exe", "");
    write_bytes(dir / "text.exe", "hello");
    write_bytes(dir / "one.exe", "M");
    write_bytes(dir / "app.qpa", "previous package");
    const std::pair<std::string, int> cases[] = {
        {"missing.exe", -4}, {"empty.exe", -4}, {"text.exe", -1}, {"one.exe", -1}};
    for (const auto& [input, code] : cases) {
        const auto r = run({input, "app.qpa"});
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_TRUE(
            starts_with_summary(r.out, input, input) &&
            ends_with(r.out, "\nConversion failed with error code: " + std::to_string(code) + "\n"))
            << r.out;
        EXPECT_EQ(qor::test::read_bytes(dir / "app.qpa"), "previous package");
    }
}

} // namespace

#ifdef QOR_FAULT_SHIM_PATH
namespace {

using environment = std::map<std::string, std::string>;

// The shim preloaded, into sanitizer builds too.
environment with_shim(environment settings) {
    settings["LD_PRELOAD"] = QOR_FAULT_SHIM_PATH;
    settings["ASAN_OPTIONS"] = "verify_asan_link_order=0:detect_leaks=0";
    return settings;
}

// Real system-call failures inside the built program, through the preloaded
// shim: every write position with a full disk and with an I/O error, a
// failing fsync and a failing rename. Each time dorvane reports code -4 and
// the package already at the destination stays byte for byte.
TEST_F(Dorvane, RealDiskErrorsFailTheConversionAndKeepTheOldPackage) {
    qor::test::write_bytes(dir / "big.exe", qor::test::program_bytes(3u << 20));
    qor::test::write_bytes(dir / "app.qpa", "previous package");
    const auto listing = qor::test::folder_names(dir);
    auto expect_failed_intact = [&](const environment& settings) {
        const std::string shown = settings.begin()->first + "=" + settings.begin()->second;
        const auto r = run({"big.exe", "app.qpa"}, with_shim(settings));
        EXPECT_EQ(r.exit_code, 1) << shown;
        EXPECT_TRUE(ends_with(r.out, "\nConversion failed with error code: -4\n"))
            << shown << ": " << r.out;
        EXPECT_EQ(qor::test::read_bytes(dir / "app.qpa"), "previous package") << shown;
        EXPECT_EQ(qor::test::folder_names(dir), listing) << shown;
    };
    for (const char* code : {"28" /* ENOSPC */, "5" /* EIO */}) {
        // Header, program prefix, three 1 MiB chunks, header again.
        for (int position = 1; position <= 6; ++position)
            expect_failed_intact({{"QOR_SHIM_FAIL_WRITE", std::to_string(position)},
                                  {"QOR_SHIM_WRITE_ERRNO", code}});
    }
    expect_failed_intact({{"QOR_SHIM_FAIL_FSYNC", "1"}});
    expect_failed_intact({{"QOR_SHIM_FAIL_RENAME", "1"}});
    expect_failed_intact({{"QOR_SHIM_FAIL_RENAME", "1"}, {"QOR_SHIM_NO_TMPFILE", "1"}});
    // A seventh write does not exist: the conversion then succeeds.
    EXPECT_EQ(run({"big.exe", "app.qpa"}, with_shim({{"QOR_SHIM_FAIL_WRITE", "7"}})).exit_code, 0);
    EXPECT_EQ(static_cast<uint64_t>(package().exe_size), uint64_t{3} << 20);
}

TEST_F(Dorvane, WithoutUnnamedTemporaryFilesNothingIsLeftEither) {
    qor::test::write_bytes(dir / "app.qpa", "previous package");
    const auto listing = qor::test::folder_names(dir);
    const auto r = run({"app.exe", "app.qpa"}, with_shim({{"QOR_SHIM_NO_TMPFILE", "1"}}));
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_TRUE(qpa_verify((dir / "app.qpa").c_str()));
    EXPECT_EQ(qor::test::folder_names(dir), listing);
}

} // namespace
#endif
