// Staged files, what only POSIX hosts have: the umask, symbolic links
// without special rights, names of 255 bytes anywhere.
#include "host/host_fs.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qor::test {
namespace {

namespace fs = std::filesystem;

bool stage_with(const fs::path& path, const std::string& bytes, host::staged_file* out) {
    return host::stage_file(path.c_str(), out) &&
           host::write_file(out->file, bytes.data(), bytes.size());
}

TEST(StagedFile, NewFilesGetOrdinaryPermissionsAndLinksKeepPointing) {
    const auto folder = fresh_folder();
    const mode_t previous = umask(027);
    host::staged_file file;
    ASSERT_TRUE(stage_with(folder / "made", "x", &file));
    ASSERT_TRUE(host::commit_staged_file(&file));
    umask(previous);
    struct stat st {};
    ASSERT_EQ(stat((folder / "made").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

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

} // namespace
} // namespace qor::test
