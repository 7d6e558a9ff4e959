// The host's atomic file replacement on its own.
#include "host/host_atomic_file.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

namespace qor::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(AtomicFile, PathShowsTheOldContentUntilCommit) {
    const auto folder = fresh_folder();
    const auto path = folder / "data";
    write_bytes(path, "old");
    host::atomic_file file;
    ASSERT_TRUE(host::atomic_file_begin(path.string().c_str(), &file));
    ASSERT_TRUE(host::atomic_file_write(&file, "new content", 11));
    EXPECT_EQ(read_bytes(path), "old");
    EXPECT_EQ(names_in(folder).size(), 2u);
    ASSERT_TRUE(host::atomic_file_commit(&file));
    EXPECT_EQ(read_bytes(path), "new content");
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"data"});
}

TEST(AtomicFile, DiscardLeavesNothingBehind) {
    const auto folder = fresh_folder();
    const auto path = folder / "data";
    write_bytes(path, "old");
    host::atomic_file file;
    ASSERT_TRUE(host::atomic_file_begin(path.string().c_str(), &file));
    ASSERT_TRUE(host::atomic_file_write(&file, "partial", 7));
    host::atomic_file_discard(&file);
    host::atomic_file_discard(&file);
    EXPECT_EQ(read_bytes(path), "old");
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"data"});
    EXPECT_FALSE(host::atomic_file_write(&file, "late", 4));
    EXPECT_FALSE(host::atomic_file_commit(&file));
}

TEST(AtomicFile, FailsCleanlyWhereNoFileCanGo) {
    const auto folder = fresh_folder();
    host::atomic_file file;
    EXPECT_FALSE(host::atomic_file_begin((folder / "missing" / "data").string().c_str(), &file));
    EXPECT_FALSE(host::atomic_file_begin("", &file));
    EXPECT_FALSE(host::atomic_file_begin(nullptr, &file));
    // Committing over a folder fails and removes the temporary file.
    fs::create_directory(folder / "dir");
    write_bytes(folder / "dir" / "inside", "x");
    ASSERT_TRUE(host::atomic_file_begin((folder / "dir").string().c_str(), &file));
    EXPECT_FALSE(host::atomic_file_commit(&file));
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"dir"});
}

} // namespace
} // namespace qor::test
