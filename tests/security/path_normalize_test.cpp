#include "security/path_normalize.h"

#include <gtest/gtest.h>

using qor::security::normalize_path;
using qor::security::path_style;

namespace {

std::string posix(const char* path, const char* cwd = "/home/user") {
    return normalize_path(path, cwd, path_style::posix);
}
std::string windows(const char* path, const char* cwd = "C:\\Users\\me") {
    return normalize_path(path, cwd, path_style::windows);
}

} // namespace

TEST(PathNormalizePosix, DotDotDotAndRepeatedSeparatorsCollapse) {
    EXPECT_EQ(posix("/usr/../usr/bin/x"), "/usr/bin/x");
    EXPECT_EQ(posix("//usr///bin//"), "/usr/bin");
    EXPECT_EQ(posix("/./usr/./bin/."), "/usr/bin");
    EXPECT_EQ(posix("/usr/bin/../../etc/passwd"), "/etc/passwd");
    EXPECT_EQ(posix("/a/b/c/../../d"), "/a/d");
}

TEST(PathNormalizePosix, DotDotAtTheRootStaysAtTheRoot) {
    EXPECT_EQ(posix("/.."), "/");
    EXPECT_EQ(posix("/../../etc"), "/etc");
    EXPECT_EQ(posix("/"), "/");
    EXPECT_EQ(posix("////"), "/");
    EXPECT_EQ(posix("../../../../../usr", "/home/user"), "/usr");
}

TEST(PathNormalizePosix, RelativePathsResolveAgainstTheCurrentFolder) {
    EXPECT_EQ(posix("bin/x", "/usr"), "/usr/bin/x");
    EXPECT_EQ(posix("../etc", "/usr/local"), "/usr/etc");
    EXPECT_EQ(posix(".", "/usr/"), "/usr");
    EXPECT_EQ(posix("./x", "//usr//lib/../"), "/usr/x");
    // When the host cannot name its current folder the tree's top stands in.
    EXPECT_EQ(posix("usr/bin", ""), "/usr/bin");
}

TEST(PathNormalizePosix, EmptyStaysEmptyAndBackslashIsAnOrdinaryByte) {
    EXPECT_EQ(posix(""), "");
    EXPECT_EQ(posix("/usr\\..\\bin"), "/usr\\..\\bin");
    EXPECT_EQ(posix("/USR/Bin/"), "/USR/Bin"); // case is left to the comparison
}

TEST(PathNormalizeWindows, SeparatorsUnifyAndDotDotIsResolved) {
    EXPECT_EQ(windows("C:\\Temp\\..\\Windows\\System32\\x"), "C:\\Windows\\System32\\x");
    EXPECT_EQ(windows("C:/Windows//System32/"), "C:\\Windows\\System32");
    EXPECT_EQ(windows("c:\\windows\\.\\system32"), "c:\\windows\\system32");
    EXPECT_EQ(windows("C:\\.."), "C:\\");
    EXPECT_EQ(windows("C:\\"), "C:\\");
}

TEST(PathNormalizeWindows, RelativeFormsTakeTheirRootFromTheCurrentFolder) {
    EXPECT_EQ(windows("Windows\\x", "C:\\"), "C:\\Windows\\x");
    EXPECT_EQ(windows("..\\..\\Windows", "C:\\Users\\me"), "C:\\Windows");
    // A leading separator means the root of the current folder's drive.
    EXPECT_EQ(windows("\\Windows", "D:\\data"), "D:\\Windows");
    // "C:x" is relative to the current folder only when that is on drive C.
    EXPECT_EQ(windows("C:Windows", "c:\\Users"), "c:\\Users\\Windows");
    EXPECT_EQ(windows("C:Windows", "D:\\x"), "C:\\Windows");
}

TEST(PathNormalizeWindows, NetworkSharesAreRootsThatDotDotCannotLeave) {
    EXPECT_EQ(windows("\\\\server\\share\\..\\x"), "\\\\server\\share\\x");
    EXPECT_EQ(windows("//server/share/a/./b"), "\\\\server\\share\\a\\b");
    EXPECT_EQ(windows("\\\\server"), "\\\\server\\");
}
