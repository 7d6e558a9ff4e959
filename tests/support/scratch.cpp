#include "support/scratch.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace qor::test {

std::filesystem::path& mutable_scratch_root() {
    static std::filesystem::path root;
    return root;
}

const std::filesystem::path& scratch_root() {
    return mutable_scratch_root();
}

std::filesystem::path fresh_folder(const std::string& tag) {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "free";
    for (char& c : name)
        if (c == '/') c = '_';
    if (!tag.empty()) name += "." + tag;
    name += "." + std::to_string(counter++);
    const auto path = scratch_root() / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

void write_bytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> folder_names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string console_text(const std::string& out) {
    std::string text;
    text.reserve(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
        text += out[i];
    }
    return text;
}

} // namespace qor::test
