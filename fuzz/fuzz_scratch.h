// A private folder below TMPDIR for the files a harness makes; fuzz/run.sh
// points TMPDIR at a folder of its own and removes it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace qor::fuzz {

inline const std::filesystem::path& work_folder() {
    static const std::filesystem::path folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        auto path = std::filesystem::path(tmp && *tmp ? tmp : "/tmp") /
                    ("qor_fuzz_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The terminal's cd moves the whole process; libFuzzer's corpus and
// artifact paths are relative to the folder it started in, so harnesses
// that run terminal commands go back there after each input.
struct keep_current_folder {
    std::filesystem::path start = std::filesystem::current_path();
    ~keep_current_folder() {
        std::error_code ignored;
        std::filesystem::current_path(start, ignored);
    }
};

// Stops the run with a crash report when an invariant does not hold.
inline void require(bool holds) {
    if (!holds) __builtin_trap();
}

} // namespace qor::fuzz
