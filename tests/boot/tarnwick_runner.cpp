#include "tarnwick_runner.h"

#include "support/scratch.h"

namespace fs = std::filesystem;

namespace qor::test {

tarnwick_copy copy_tarnwick() {
    tarnwick_copy copy;
    const fs::path root = fresh_folder("tarnwick");
    copy.folder = root / "program";
    copy.temp = root / "tmp";
    fs::create_directories(copy.folder);
    fs::create_directories(copy.temp);
    fs::copy_file(QOR_TARNWICK_PATH, copy.program());
    return copy;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
        lines.push_back(text.substr(start, at - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

} // namespace qor::test
