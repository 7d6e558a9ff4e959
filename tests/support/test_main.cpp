// Test main: gives the process a private scratch folder and points TMPDIR at
// it before any test runs, so the host temporary folder is never the real one.
#include "host/host_env.h"
#include "support/scratch.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace qor::test {
std::filesystem::path& mutable_scratch_root();
}

namespace {

// ctest runs many test processes at once; each needs its own folder.
std::string process_tag() {
    std::random_device random;
    char tag[32];
    std::snprintf(tag, sizeof tag, "run-%08x%08x", random(), random());
    return tag;
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // In the host's own spelling (a drive letter and '\\' on Windows).
    auto root =
        std::filesystem::absolute(std::filesystem::path(QOR_TEST_SCRATCH_ROOT) / process_tag())
            .make_preferred();
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "tmp");
    qor::test::mutable_scratch_root() = root;
    // TMPDIR is the Linux host's temporary folder, TMP/TEMP the Windows one.
    const std::string tmp = (root / "tmp").string();
    for (const char* name : {"TMPDIR", "TMP", "TEMP"})
        qor::host::set_environment_variable(name, tmp.c_str());
    const int result = RUN_ALL_TESTS();
    if (result == 0) {
        // Windows keeps a process's current folder from being removed, and
        // tests may have moved into the scratch tree.
        std::error_code ignored;
        std::filesystem::current_path(root.parent_path(), ignored);
        std::filesystem::remove_all(root, ignored);
    }
    return result;
}

// LeakSanitizer's hook for built-in suppressions: fontconfig keeps a few
// blocks from its own initialisation that it never frees (FcInit alone shows
// them). They are the library's, not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
