// Protected paths: the start-up table, adding and removing entries, and which
// accesses the check refuses.
#include "host/host_fs.h"
#include "security/security_state.h"
#include "support/scratch.h"

#include <cctype>
#include <gtest/gtest.h>
#include <random>
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

// Moves the process's current folder for the lifetime of the object.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& path) {
        qor::host::current_folder(&saved_);
        EXPECT_TRUE(qor::host::change_folder(path.c_str())) << path;
    }
    ~CurrentFolder() { qor::host::change_folder(saved_.c_str()); }

  private:
    std::string saved_;
};

TEST_F(ProtectedPaths, AnySpellingOfAnEntryIsTheSameEntry) {
    EXPECT_EQ(qor_security_init(), QOR_OK); // a second start changes nothing
    for (const char* again : {"/usr", "/USR/", "/opt/../usr//"})
        EXPECT_EQ(qor_security_protect_file(again), QOR_OK);
    EXPECT_EQ(g_protected_file_count, 5);
    EXPECT_EQ(qor_security_protect_file(nullptr), QOR_ERR_SECURITY);
    EXPECT_EQ(qor_security_unprotect_file(nullptr), QOR_ERR_SECURITY);
}

// A random spelling of `path`: letters in either case, doubled separators,
// "." and "x/.." segments, a climb above the root and a trailing separator.
std::string respell(const std::string& path, std::mt19937& random) {
    std::string out = random() % 2 ? "/../.." : "";
    for (char c : path) {
        if (c == '/') {
            const char* const detours[] = {"/", "//", "/./", "/x/../", "/.//"};
            out += detours[random() % 5];
        } else {
            out += static_cast<char>(random() % 2 ? std::toupper(c) : c);
        }
    }
    return out + (random() % 2 ? "/" : "");
}

TEST_F(ProtectedPaths, WriteAndExecuteAreRefusedInsideInAnySpelling) {
    std::mt19937 random(11);
    for (const char* inside : {"/usr/bin/ls", "/etc/shadow", "/opt/x", "/usr/local/lib/y"})
        for (int trial = 0; trial < 100; ++trial) {
            const std::string path = respell(inside, random);
            EXPECT_FALSE(qor_security_check_file_access(path.c_str(), kWrite)) << path;
            EXPECT_FALSE(qor_security_check_file_access(path.c_str(), kExecute)) << path;
            EXPECT_TRUE(qor_security_check_file_access(path.c_str(), kRead)) << path;
        }
    const struct {
        const char* path;
        uint32_t access;
        bool allowed;
    } cases[] = {
        {"/etc", kWrite | kRead, false},
        {"/usr/bin/ls", 0x8, true},
        {"/home/user/data", kExecute, true},
        {"/op", kWrite, true},          // shorter than "/opt"
        {"/usrlocal/x", kWrite, false}, // the prefix needs no separator after it
        {"/home/../../../../etc/shadow", kWrite, false},
        {"/usr/bin/../../home/x", kWrite, true}, // climbing out really leaves
    };
    for (const auto& row : cases)
        EXPECT_EQ(qor_security_check_file_access(row.path, row.access), row.allowed) << row.path;
    EXPECT_FALSE(qor_security_check_file_access(nullptr, kRead));
}

TEST_F(ProtectedPaths, RelativePathsCountFromTheCurrentFolder) {
    {
        CurrentFolder at("/");
        EXPECT_FALSE(qor_security_check_file_access("usr/bin/x", kWrite));
        EXPECT_FALSE(qor_security_check_file_access("./etc/hosts", kWrite));
        EXPECT_TRUE(qor_security_check_file_access("home/x", kWrite));
    }
    const std::string scratch = qor::test::fresh_folder();
    CurrentFolder at(scratch);
    EXPECT_TRUE(qor_security_check_file_access("notes.txt", kWrite));
    std::string up_to_root;
    for (char c : scratch)
        up_to_root += c == '/' ? "../" : "";
    EXPECT_FALSE(qor_security_check_file_access((up_to_root + "usr/bin/x").c_str(), kWrite));

    // A relative entry is stored absolute.
    ASSERT_EQ(qor_security_protect_file("locked"), QOR_OK);
    EXPECT_FALSE(qor_security_check_file_access((scratch + "/locked/file").c_str(), kWrite));
    EXPECT_EQ(qor_security_unprotect_file((scratch + "/locked").c_str()), QOR_OK);
}

TEST_F(ProtectedPaths, EntriesAreNormalisedAndFreedSlotsReusedFirst) {
    ASSERT_EQ(qor_security_protect_file("/srv//data/./x/../"), QOR_OK);
    EXPECT_STREQ(g_protected_files[5].path, "/srv/data");
    EXPECT_FALSE(qor_security_check_file_access("/srv/data/file", kWrite));
    EXPECT_TRUE(qor_security_check_file_access("/srv/other", kWrite));
    EXPECT_EQ(qor_security_unprotect_file("/SRV/DATA/"), QOR_OK);

    EXPECT_EQ(qor_security_unprotect_file("/ETC"), QOR_OK);
    EXPECT_EQ(find_protected_file("/etc"), -1);
    EXPECT_TRUE(qor_security_check_file_access("/etc/passwd", kWrite));
    EXPECT_EQ(qor_security_unprotect_file("/etc"), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qor_security_protect_file("/etc"), QOR_OK);
    EXPECT_EQ(find_protected_file("/Etc/"), 4);

    // An empty entry covers every path.
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
    const struct {
        const char *a, *b;
        int expected;
    } cases[] = {
        {"ABC", "abc", 0},
        {"", "", 0},
        {"abc", "abd", -1},
        {"ABD", "abc", 1},
        {"ab", "abc", -1},
        {"abc", "AB", 1},
        {nullptr, nullptr, 0},
        {nullptr, "", -1},
        {"", nullptr, 1},
        {"Z", "[", 1},                // 'Z' folds to 'z' (0x7A) before comparing with '[' (0x5B)
        {"\xC3\x89", "a", -1},        // bytes above 0x7F are negative as signed bytes
        {"\xC3\x89", "\xC3\xA9", -1}, // and are not folded
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.a ? row.a : "null") + " vs " + (row.b ? row.b : "null"));
        EXPECT_EQ(sec_strcasecmp(row.a, row.b), row.expected);
    }
}

} // namespace
