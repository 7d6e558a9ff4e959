// Links planted inside the system tree: the clean-ups remove a link itself
// and never reach what it points to, and the log is never written through
// one (nor into a FIFO, which would block).
#include "boot/system_tree.h"
#include "host/host_time.h"
#include "system_tree_fixture.h"

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr int64_t kTenDays = 10 * 86400;

using PlantedLinks = qor::test::SystemTree;

TEST_F(PlantedLinks, AreRemovedThemselvesAndNeverFollowed) {
    const fs::path outside = qor::test::fresh_folder("outside");
    qor::test::write_bytes(outside / "diary.txt", "private");
    fs::create_directory(outside / "folder");
    qor::test::write_bytes(outside / "folder" / "a", "a");
    const fs::path temp = qor_temp_get_dir();
    const fs::path logs = qor_log_get_dir();

    struct row {
        fs::path link;
        fs::path target;
    };
    const row planted[] = {
        {temp / "to-folder", outside / "folder"},     {temp / "to-file", outside / "diary.txt"},
        {temp / "dangling", outside / "nowhere"},     {logs / "old.log", outside / "diary.txt"},
        {logs / "system.log", outside / "diary.txt"},
    };
    for (const row& r : planted)
        fs::create_symlink(r.target, r.link);

    EXPECT_EQ(qor_log_info("through the link?"), QOR_ERR_IO);
    EXPECT_EQ(qor_temp_cleanup(), QOR_OK);
    EXPECT_EQ(qor::log_cleanup_at(0, qor::host::now_unix() + kTenDays), QOR_OK);

    for (const row& r : planted)
        EXPECT_FALSE(fs::is_symlink(r.link)) << r.link;
    EXPECT_EQ(qor::test::read_bytes(outside / "diary.txt"), "private");
    EXPECT_EQ(qor::test::read_bytes(outside / "folder" / "a"), "a");

    // A FIFO under the log's name: refused at once, not waited on.
    ASSERT_EQ(mkfifo((logs / "system.log").c_str(), 0600), 0);
    EXPECT_EQ(qor_log_info("into the fifo?"), QOR_ERR_IO);
    EXPECT_TRUE(fs::is_fifo(logs / "system.log"));
}

} // namespace
