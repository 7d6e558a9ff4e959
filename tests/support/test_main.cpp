// Test main: gives the process a private scratch folder and points TMPDIR at
// it before any test runs, so the host temporary folder is never the real one.
#include "support/scratch.h"

#include <cstdio>
#include <cstdlib>
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

void set_env(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    auto root = std::filesystem::path(QOR_TEST_SCRATCH_ROOT) / process_tag();
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "tmp");
    qor::test::mutable_scratch_root() = root;
    set_env("TMPDIR", (root / "tmp").string());
    set_env("TMP", (root / "tmp").string());
    set_env("TEMP", (root / "tmp").string());
    const int result = RUN_ALL_TESTS();
    if (result == 0) std::filesystem::remove_all(root);
    return result;
}

// LeakSanitizer's hook for built-in suppressions: fontconfig keeps a few
// blocks from its own initialisation that it never frees (FcInit alone shows
// them). They are the library's, not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
