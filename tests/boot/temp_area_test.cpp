// The temporary area: distinct names, retries past taken ones, short
// buffers and the one-level clean-up.
#include "system_tree_fixture.h"

#include <cstring>
#include <regex>

namespace fs = std::filesystem;

namespace {

using TempArea = qor::test::SystemTree;

std::string name_of(const char* path) {
    return fs::path(path).filename().string();
}

} // namespace

TEST_F(TempArea, CreatesDistinctNamedFilesAndFoldersEvenWithinOneMillisecond) {
    char first[QOR_PATH_MAX], second[QOR_PATH_MAX];
    ASSERT_EQ(qor_temp_create(first, sizeof first), QOR_OK);
    ASSERT_EQ(qor_temp_create(second, sizeof second), QOR_OK);
    EXPECT_STRNE(first, second);
    const std::regex name(R"(qor_[0-9a-f]{8}_[0-9a-f]{4}\.tmp)");
    EXPECT_TRUE(std::regex_match(name_of(first), name)) << first;
    EXPECT_EQ(fs::path(first).parent_path(), fs::path(qor_temp_get_dir()));
    EXPECT_EQ(fs::file_size(first), 0u);
    EXPECT_TRUE(fs::is_regular_file(second));

    char a[QOR_PATH_MAX], b[QOR_PATH_MAX];
    ASSERT_EQ(qor_temp_mkdir(a, sizeof a), QOR_OK);
    ASSERT_EQ(qor_temp_mkdir(b, sizeof b), QOR_OK);
    EXPECT_STRNE(a, b);
    EXPECT_TRUE(std::regex_match(name_of(a), std::regex(R"(qor_dir_[0-9a-f]{8}_[0-9a-f]{4})")));
    EXPECT_TRUE(fs::is_directory(a));
}

// Names carry the millisecond tick, so attempt 0 is blocked for a stretch of
// ticks; a loaded machine may pass that stretch before the second call, and
// then the round proves nothing and is tried again.
TEST_F(TempArea, RetriesTakenNamesWithTheNextAttemptNumber) {
    constexpr unsigned long kBlockedTicks = 500;
    for (int round = 0; round < 20; ++round) {
        char probe[QOR_PATH_MAX];
        ASSERT_EQ(qor_temp_create(probe, sizeof probe), QOR_OK);
        const unsigned long tick = std::stoul(name_of(probe).substr(4, 8), nullptr, 16);
        for (unsigned long t = tick; t < tick + kBlockedTicks; ++t) {
            char name[64];
            std::snprintf(name, sizeof name, "qor_%08lx_0000.tmp", t & 0xFFFFFFFFul);
            qor::test::write_bytes(fs::path(qor_temp_get_dir()) / name, "");
        }
        char out[QOR_PATH_MAX];
        ASSERT_EQ(qor_temp_create(out, sizeof out), QOR_OK);
        const unsigned long second = std::stoul(name_of(out).substr(4, 8), nullptr, 16);
        if (second - tick >= kBlockedTicks) continue; // the machine was slower than the block
        EXPECT_NE(name_of(out).substr(13, 4), "0000") << out;
        return;
    }
    GTEST_SKIP() << "every round took longer than " << kBlockedTicks << " ms";
}

TEST_F(TempArea, ShortOrMissingOutputBuffers) {
    EXPECT_EQ(qor_temp_create(nullptr, 10), QOR_ERR_INVALID_ARG);
    char out[8] = "xxxxxxx";
    EXPECT_EQ(qor_temp_create(out, 0), QOR_ERR_INVALID_ARG);

    EXPECT_EQ(qor_temp_create(out, 1), QOR_OK); // made, but no room for the name
    EXPECT_STREQ(out, "");
    EXPECT_EQ(std::distance(fs::directory_iterator(qor_temp_get_dir()), fs::directory_iterator()),
              1);
    EXPECT_EQ(qor_temp_mkdir(out, sizeof out), QOR_OK);
    EXPECT_EQ(std::strlen(out), sizeof out - 1);
}

TEST_F(TempArea, CleanupEmptiesOneLevelAndKeepsNonEmptyFolders) {
    const fs::path dir = qor_temp_get_dir();
    qor::test::write_bytes(dir / "loose.tmp", "data");
    fs::create_directory(dir / "empty");
    fs::create_directories(dir / "extracted");
    qor::test::write_bytes(dir / "extracted" / "app.exe", "MZ");
    EXPECT_EQ(qor_temp_cleanup(), QOR_OK);
    EXPECT_FALSE(fs::exists(dir / "loose.tmp"));
    EXPECT_FALSE(fs::exists(dir / "empty"));
    EXPECT_TRUE(fs::exists(dir / "extracted" / "app.exe"));
    EXPECT_EQ(qor_temp_cleanup(), QOR_OK); // nothing left to do
}
