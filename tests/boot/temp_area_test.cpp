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
// then the round proves nothing and is tried again. Files and folders alike.
TEST_F(TempArea, RetriesTakenNamesWithTheNextAttemptNumber) {
    constexpr unsigned long kBlockedTicks = 500;
    const struct {
        const char* prefix;
        const char* suffix;
        int (*create)(char*, size_t);
        bool folder;
    } kinds[] = {{"qor_", ".tmp", qor_temp_create, false}, {"qor_dir_", "", qor_temp_mkdir, true}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.prefix);
        const size_t tick_at = std::strlen(kind.prefix);
        bool proven = false;
        for (int round = 0; round < 20 && !proven; ++round) {
            char probe[QOR_PATH_MAX];
            ASSERT_EQ(kind.create(probe, sizeof probe), QOR_OK);
            const unsigned long tick = std::stoul(name_of(probe).substr(tick_at, 8), nullptr, 16);
            for (unsigned long t = tick; t < tick + kBlockedTicks; ++t) {
                char name[64];
                std::snprintf(name, sizeof name, "%s%08lx_0000%s", kind.prefix, t & 0xFFFFFFFFul,
                              kind.suffix);
                const fs::path blocked = fs::path(qor_temp_get_dir()) / name;
                std::error_code taken; // the probe holds the first name already
                if (kind.folder)
                    fs::create_directory(blocked, taken);
                else
                    qor::test::write_bytes(blocked, "");
            }
            char out[QOR_PATH_MAX];
            ASSERT_EQ(kind.create(out, sizeof out), QOR_OK);
            const unsigned long second = std::stoul(name_of(out).substr(tick_at, 8), nullptr, 16);
            if (second - tick >= kBlockedTicks) continue; // the machine outran the block
            EXPECT_NE(name_of(out).substr(tick_at + 9, 4), "0000") << out;
            proven = true;
        }
        if (!proven) GTEST_SKIP() << "every round took longer than " << kBlockedTicks << " ms";
    }
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
