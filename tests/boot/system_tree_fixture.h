// The one fixture of the system tree's tests: the tree (Logs, Temp, Apps)
// lives in this test process's TMPDIR, and every test starts with its log
// and temporary folders empty.
#pragma once

#include "support/scratch.h"

#include <gtest/gtest.h>
#include <qoros/qor_log.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {

inline std::filesystem::path log_file() {
    return std::filesystem::path(qor_log_get_dir()) / "system.log";
}

// The lines of a text ending in `end`; a trailing part without one is
// returned as the last element.
inline std::vector<std::string> split_lines(const std::string& text,
                                            const std::string& end = "\r\n") {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

class SystemTree : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* dir : {qor_log_get_dir(), qor_temp_get_dir()})
            for (const auto& entry : std::filesystem::directory_iterator(dir))
                std::filesystem::remove_all(entry.path());
    }
    static std::vector<std::string> log_lines() { return split_lines(read_bytes(log_file())); }
};

} // namespace qor::test
