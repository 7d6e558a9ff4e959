// Helpers shared by the log and temporary-area tests: the system tree lives
// in this test process's TMPDIR, so every test starts by emptying it.
#pragma once

#include <filesystem>
#include <qoros/qor_log.h>
#include <string>
#include <vector>

namespace qor::test {

inline std::filesystem::path log_file() {
    return std::filesystem::path(qor_log_get_dir()) / "system.log";
}

inline void empty_folder(const std::filesystem::path& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        std::filesystem::remove_all(entry.path());
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

} // namespace qor::test
