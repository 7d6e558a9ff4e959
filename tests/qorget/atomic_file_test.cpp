// The host's atomic file replacement on its own.
#include "host/host_atomic_file.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

namespace qor::test {
namespace {

using names = std::vector<std::string>;

TEST(AtomicFile, PathShowsTheOldContentUntilCommitAndDiscardLeavesNothing) {
    const auto folder = fresh_folder();
    const auto path = folder / "data";
    write_bytes(path, "old");
    host::atomic_file file;
    ASSERT_TRUE(host::atomic_file_begin(path.string().c_str(), &file));
    ASSERT_TRUE(host::atomic_file_write(&file, "partial", 7));
    host::atomic_file_discard(&file);
    host::atomic_file_discard(&file);
    EXPECT_FALSE(host::atomic_file_write(&file, "late", 4));
    EXPECT_FALSE(host::atomic_file_commit(&file));
    EXPECT_EQ(folder_names(folder), names{"data"});

    ASSERT_TRUE(host::atomic_file_begin(path.string().c_str(), &file));
    ASSERT_TRUE(host::atomic_file_write(&file, "new content", 11));
    EXPECT_EQ(read_bytes(path), "old");
    EXPECT_EQ(folder_names(folder).size(), 2u);
    ASSERT_TRUE(host::atomic_file_commit(&file));
    EXPECT_EQ(read_bytes(path), "new content");
    EXPECT_EQ(folder_names(folder), names{"data"});
}

TEST(AtomicFile, FailsCleanlyWhereNoFileCanGo) {
    const auto folder = fresh_folder();
    host::atomic_file file;
    EXPECT_FALSE(host::atomic_file_begin((folder / "missing" / "data").string().c_str(), &file));
    EXPECT_FALSE(host::atomic_file_begin("", &file));
    // Committing over a folder fails and removes the temporary file.
    std::filesystem::create_directory(folder / "dir");
    ASSERT_TRUE(host::atomic_file_begin((folder / "dir").string().c_str(), &file));
    EXPECT_FALSE(host::atomic_file_commit(&file));
    EXPECT_EQ(folder_names(folder), names{"dir"});
}

} // namespace
} // namespace qor::test
