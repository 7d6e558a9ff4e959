#include "host/host_fs.h"
#include "security/security_state.h"
#include "support/scratch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qor::security;

namespace {

constexpr uint32_t kRead = QOR_ACCESS_READ;
constexpr uint32_t kWrite = QOR_ACCESS_WRITE;
constexpr uint32_t kExecute = QOR_ACCESS_EXECUTE;

// Every test starts from the layer's start-up table and must leave it so.
class ProtectedPaths : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(qor_security_init(), QOR_OK);
        ASSERT_EQ(g_protected_file_count, 5);
    }
    void TearDown() override { EXPECT_EQ(g_protected_file_count, 5); }
};

// Runs the checks with the process's current folder moved, then moves back.
class CurrentFolder {
  public:
    explicit CurrentFolder(const char* path) {
        qor::host::current_folder(&saved_);
        ok_ = qor::host::change_folder(path);
    }
    ~CurrentFolder() { qor::host::change_folder(saved_.c_str()); }
    bool ok() const { return ok_; }

  private:
    std::string saved_;
    bool ok_ = false;
};

} // namespace

TEST_F(ProtectedPaths, StartsWithTheHostSystemFoldersInOrder) {
    const std::vector<std::string> expected = {"/usr/bin", "/usr", "/opt", "/usr/local", "/etc"};
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_TRUE(g_protected_files[i].active);
        EXPECT_EQ(g_protected_files[i].path, expected[i]);
    }
    EXPECT_EQ(qor_security_init(), QOR_OK); // a second start changes nothing
    EXPECT_EQ(g_protected_file_count, 5);
}

TEST_F(ProtectedPaths, ProtectingAgainInAnySpellingAddsNoSecondSlot) {
    EXPECT_EQ(qor_security_protect_file("/usr"), QOR_OK);
    EXPECT_EQ(qor_security_protect_file("/USR/"), QOR_OK);
    EXPECT_EQ(qor_security_protect_file("/opt/../usr//"), QOR_OK);
    EXPECT_EQ(g_protected_file_count, 5);
}

TEST_F(ProtectedPaths, UnprotectFoldsCaseAndFreedSlotIsReusedFirst) {
    EXPECT_EQ(qor_security_unprotect_file("/ETC"), QOR_OK);
    EXPECT_EQ(g_protected_file_count, 4);
    EXPECT_EQ(find_protected_file("/etc"), -1);
    EXPECT_TRUE(qor_security_check_file_access("/etc/passwd", kWrite));

    EXPECT_EQ(qor_security_unprotect_file("/etc"), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_security_protect_file("/etc"), QOR_OK);
    EXPECT_EQ(find_protected_file("/Etc/"), 4);
}

TEST_F(ProtectedPaths, AbsentPathsAreRefusedWithTheirCodes) {
    EXPECT_EQ(qor_security_protect_file(nullptr), QOR_ERR_SECURITY);
    EXPECT_EQ(qor_security_unprotect_file(nullptr), QOR_ERR_SECURITY);
    EXPECT_EQ(find_protected_file(nullptr), -1);
    EXPECT_FALSE(qor_security_check_file_access(nullptr, kRead));
    EXPECT_FALSE(qor_security_check_file_access(nullptr, 0));
}

TEST_F(ProtectedPaths, WriteAndExecuteAreRefusedInsideReadsPass) {
    EXPECT_FALSE(qor_security_check_file_access("/usr/bin/ls", kWrite));
    EXPECT_FALSE(qor_security_check_file_access("/UsR/BiN/LS", kWrite));
    EXPECT_FALSE(qor_security_check_file_access("/usr/bin/ls", kExecute));
    EXPECT_FALSE(qor_security_check_file_access("/etc", kWrite | kRead));
    EXPECT_TRUE(qor_security_check_file_access("/usr/bin/ls", kRead));
    EXPECT_TRUE(qor_security_check_file_access("/usr/bin/ls", 0));
    EXPECT_TRUE(qor_security_check_file_access("/usr/bin/ls", 0x8));
    EXPECT_TRUE(qor_security_check_file_access("/home/user/data", kExecute));
    EXPECT_TRUE(qor_security_check_file_access("/op", kWrite)); // shorter than "/opt"
}

TEST_F(ProtectedPaths, PrefixNeedsNoSeparatorAfterIt) {
    EXPECT_FALSE(qor_security_check_file_access("/usrlocal/x", kWrite));
    EXPECT_FALSE(qor_security_check_file_access("/etcetera", kWrite));
}

TEST_F(ProtectedPaths, DifferentSpellingsOfAProtectedPathAreRefused) {
    for (const char* path : {"/usr/../usr/bin/x", "/tmp/../usr/bin/x", "//usr///bin//x",
                             "/./usr/./bin/x", "/home/../../../../etc/shadow", "/opt/"}) {
        EXPECT_FALSE(qor_security_check_file_access(path, kWrite)) << path;
    }
    // Climbing out of a protected folder really leaves it.
    EXPECT_TRUE(qor_security_check_file_access("/usr/bin/../../home/x", kWrite));
}

TEST_F(ProtectedPaths, RelativePathsCountFromTheCurrentFolder) {
    {
        CurrentFolder at("/");
        ASSERT_TRUE(at.ok());
        EXPECT_FALSE(qor_security_check_file_access("usr/bin/x", kWrite));
        EXPECT_FALSE(qor_security_check_file_access("./etc/hosts", kWrite));
        EXPECT_TRUE(qor_security_check_file_access("home/x", kWrite));
    }
    const auto scratch = qor::test::fresh_folder();
    CurrentFolder at(scratch.string().c_str());
    ASSERT_TRUE(at.ok());
    EXPECT_TRUE(qor_security_check_file_access("notes.txt", kWrite));
    std::string up_to_root;
    for (const char* c = scratch.string().c_str(); *c; ++c) {
        if (*c == '/') up_to_root += "../";
    }
    EXPECT_FALSE(qor_security_check_file_access((up_to_root + "usr/bin/x").c_str(), kWrite));
}

TEST_F(ProtectedPaths, EntriesAreNormalisedWhenAdded) {
    ASSERT_EQ(qor_security_protect_file("/srv//data/./x/../"), QOR_OK);
    EXPECT_EQ(g_protected_file_count, 6);
    EXPECT_STREQ(g_protected_files[5].path, "/srv/data");
    EXPECT_EQ(find_protected_file("/srv/data"), 5);
    EXPECT_FALSE(qor_security_check_file_access("/srv/data/file", kWrite));
    EXPECT_TRUE(qor_security_check_file_access("/srv/other", kWrite));
    EXPECT_EQ(qor_security_unprotect_file("/SRV/DATA/"), QOR_OK);

    const auto scratch = qor::test::fresh_folder();
    {
        CurrentFolder at(scratch.string().c_str());
        ASSERT_TRUE(at.ok());
        ASSERT_EQ(qor_security_protect_file("locked"), QOR_OK);
    }
    const std::string absolute = scratch.string() + "/locked/file";
    EXPECT_FALSE(qor_security_check_file_access(absolute.c_str(), kWrite));
    EXPECT_EQ(qor_security_unprotect_file((scratch.string() + "/locked").c_str()), QOR_OK);
}

TEST_F(ProtectedPaths, AnEmptyEntryCoversEveryPath) {
    ASSERT_EQ(qor_security_protect_file(""), QOR_OK);
    EXPECT_FALSE(qor_security_check_file_access("/home/user/x", kWrite));
    EXPECT_FALSE(qor_security_check_file_access("", kWrite));
    EXPECT_EQ(qor_security_unprotect_file(""), QOR_OK);
    EXPECT_TRUE(qor_security_check_file_access("/home/user/x", kWrite));
}

TEST_F(ProtectedPaths, TheTableHoldsTwoHundredFiftySixPaths) {
    std::vector<std::string> added;
    for (int i = 0; g_protected_file_count < QOR_SECURITY_MAX_PROTECTED_FILES; ++i) {
        added.push_back("/qor-test/full/" + std::to_string(i));
        ASSERT_EQ(qor_security_protect_file(added.back().c_str()), QOR_OK);
    }
    EXPECT_EQ(added.size(), 251u);
    EXPECT_EQ(qor_security_protect_file("/qor-test/one-too-many"), QOR_ERR_SECURITY);
    EXPECT_EQ(qor_security_protect_file("/qor-test/full/7"), QOR_OK); // already there
    EXPECT_FALSE(qor_security_check_file_access("/qor-test/full/250/x", kWrite));

    for (const std::string& path : added)
        EXPECT_EQ(qor_security_unprotect_file(path.c_str()), 0);
}

TEST(SecStrcasecmp, FoldsOnlyAsciiLettersAndOrdersBySignedBytes) {
    EXPECT_EQ(sec_strcasecmp("ABC", "abc"), 0);
    EXPECT_EQ(sec_strcasecmp("", ""), 0);
    EXPECT_EQ(sec_strcasecmp("abc", "abd"), -1);
    EXPECT_EQ(sec_strcasecmp("ABD", "abc"), 1);
    EXPECT_EQ(sec_strcasecmp("ab", "abc"), -1);
    EXPECT_EQ(sec_strcasecmp("abc", "AB"), 1);
    // 'Z' folds to 'z' (0x7A) before comparing with '[' (0x5B).
    EXPECT_EQ(sec_strcasecmp("Z", "["), 1);
    // Bytes above 0x7F are negative as signed bytes and are not folded.
    EXPECT_EQ(sec_strcasecmp("\xC3\x89", "a"), -1);
    EXPECT_NE(sec_strcasecmp("\xC3\x89", "\xC3\xA9"), 0);
    EXPECT_EQ(sec_strcasecmp(nullptr, nullptr), 0);
    EXPECT_EQ(sec_strcasecmp(nullptr, ""), -1);
    EXPECT_EQ(sec_strcasecmp("", nullptr), 1);
}
