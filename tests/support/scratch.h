// Scratch folders for tests: every test program gets its own folder under
// the build tree, and TMPDIR points into it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {

// The scratch root of this test process (created by the test main).
const std::filesystem::path& scratch_root();

// A fresh, empty folder below the scratch root, named after the running test.
std::filesystem::path fresh_folder(const std::string& tag = "");

// Whole-file helpers for setting up and checking fixtures.
void write_bytes(const std::filesystem::path& path, const std::string& bytes);
std::string read_bytes(const std::filesystem::path& path);

// Names of a folder's entries, sorted: shows what a failed write left behind.
std::vector<std::string> folder_names(const std::filesystem::path& folder);

// Console output as lines ending in "\n" (Windows programs end their lines
// with "\r\n").
std::string console_text(const std::string& out);

} // namespace qor::test
