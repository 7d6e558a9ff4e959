// Staged files: the one way QorOS replaces a file, whole or not at all.
#include "file_holder.h"
#include "host/host_fs.h"
#include "support/child_process.h"
#include "support/open_descriptors.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace qor::test {
namespace {

namespace fs = std::filesystem;

bool stage_with(const fs::path& path, const std::string& bytes, host::staged_file* out) {
    return host::stage_file(path.string().c_str(), out) &&
           host::write_file(out->file, bytes.data(), bytes.size());
}

int dead_pid() {
    background_program child = start_background(QOR_SLEEP_PATH, {"0"});
    const int pid = child.pid;
    wait_for(&child);
    return pid;
}

std::string staging_name(const std::string& file, int pid) {
    return "." + file + ".qor-staging." + std::to_string(pid) + ".0123456789abcdef";
}

TEST(StagedFile, PathShowsTheOldContentUntilCommitAndNothingElseRemains) {
    const auto folder = fresh_folder();
    const auto path = folder / "data";
    write_bytes(path, "old");
    host::staged_file file;
    ASSERT_TRUE(stage_with(path, "new content", &file));
    EXPECT_EQ(read_bytes(path), "old");
    ASSERT_TRUE(host::commit_staged_file(&file));
    EXPECT_EQ(read_bytes(path), "new content");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"data"});
    EXPECT_FALSE(host::commit_staged_file(&file)) << "a committed file cannot be committed again";
}

TEST(StagedFile, DiscardLeavesTheOldFileAndNothingBehind) {
    const auto folder = fresh_folder();
    const auto path = folder / "data";
    write_bytes(path, "old");
    const size_t descriptors_before = open_descriptor_count();
    host::staged_file file;
    ASSERT_TRUE(stage_with(path, "partial", &file));
    host::discard_staged_file(&file);
    host::discard_staged_file(&file);
    EXPECT_EQ(open_descriptor_count(), descriptors_before) << "discarding closes the staged file";
    EXPECT_EQ(read_bytes(path), "old");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"data"});
    EXPECT_FALSE(host::commit_staged_file(&file));
}

TEST(StagedFile, FailsCleanlyWhereNoFileCanGo) {
    const auto folder = fresh_folder();
    host::staged_file file;
    EXPECT_FALSE(host::stage_file((folder / "missing" / "data").string().c_str(), &file));
    EXPECT_FALSE(host::stage_file("", &file));
    EXPECT_FALSE(host::stage_file(nullptr, &file));
    // A folder under the name is refused at once and stays as it was.
    fs::create_directory(folder / "dir");
    write_bytes(folder / "dir" / "inside", "x");
    EXPECT_FALSE(stage_with(folder / "dir", "x", &file));
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"dir"});
    EXPECT_EQ(read_bytes(folder / "dir" / "inside"), "x");
}

// A writer killed between naming its file and the rename leaves a staging
// file; the next staging of that destination removes it, but only when its
// writer is provably gone: the pid dead and no lock held.
TEST(StagedFile, AbandonedStagingsOfDeadWritersAreRemovedOthersKept) {
    const auto folder = fresh_folder();
    const int dead = dead_pid();
    const std::string abandoned = staging_name("pkg.qpa", dead);
    const std::string alive_writer = staging_name("pkg.qpa", this_process_id());
    const std::string other_destination = staging_name("other.qpa", dead);
    const std::string look_alike = ".pkg.qpa.qor-staging.notapid.0123456789abcdef";
    for (const auto& name : {abandoned, alive_writer, other_destination, look_alike})
        write_bytes(folder / name, "partial");
    // Same dead pid, different random part, still held by a writer whose
    // pid the name does not tell (another pid namespace, say).
    std::string held = staging_name("pkg.qpa", dead);
    held.replace(held.size() - 16, 16, "fedcba9876543210");
    write_bytes(folder / held, "partial");
    held_file holder = hold_file(folder / held);
    ASSERT_NE(holder.native, -1);

    host::staged_file file;
    ASSERT_TRUE(stage_with(folder / "pkg.qpa", "package", &file));
    ASSERT_TRUE(host::commit_staged_file(&file));
    release(&holder);

    std::vector<std::string> expected{alive_writer, held, other_destination, look_alike, "pkg.qpa"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder_names(folder), expected);
}

#ifndef _WIN32
// What only POSIX hosts have: the umask, symbolic links without special
// rights, names of 255 bytes anywhere.
TEST(StagedFile, NewFilesGetOrdinaryPermissionsAndLinksKeepPointing) {
    const auto folder = fresh_folder();
    const mode_t previous = umask(027);
    host::staged_file file;
    ASSERT_TRUE(stage_with(folder / "made", "x", &file));
    ASSERT_TRUE(host::commit_staged_file(&file));
    umask(previous);
    EXPECT_EQ(fs::status(folder / "made").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    write_bytes(folder / "target", "old");
    fs::create_symlink(folder / "target", folder / "link");
    ASSERT_TRUE(stage_with(folder / "link", "new", &file));
    ASSERT_TRUE(host::commit_staged_file(&file));
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_EQ(read_bytes(folder / "target"), "new");
}

TEST(StagedFile, LongestFileNamesStillStage) {
    const auto folder = fresh_folder();
    const std::string name(255, 'n');
    host::staged_file file;
    ASSERT_TRUE(stage_with(folder / name, "long", &file));
    ASSERT_TRUE(host::commit_staged_file(&file));
    EXPECT_EQ(read_bytes(folder / name), "long");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{name});
}
#endif

} // namespace
} // namespace qor::test
