// Lexical path normalisation, on both path styles.
#include "security/path_normalize.h"

#include <gtest/gtest.h>

using qor::security::normalize_path;
using qor::security::path_style;

namespace {

struct normalize_case {
    const char* path;
    const char* cwd;
    const char* expected;
};

void expect_normalized(path_style style, std::initializer_list<normalize_case> cases) {
    for (const normalize_case& row : cases) {
        SCOPED_TRACE(std::string(row.path) + " in " + row.cwd);
        EXPECT_EQ(normalize_path(row.path, row.cwd, style), row.expected);
    }
}

TEST(PathNormalize, Posix) {
    expect_normalized(path_style::posix,
                      {
                          // "." and ".." resolve, repeated separators collapse.
                          {"/usr/../usr/bin/x", "/", "/usr/bin/x"},
                          {"//usr///bin//", "/", "/usr/bin"},
                          {"/a/b/c/../../d", "/", "/a/d"},
                          // ".." at the root stays at the root.
                          {"/..", "/", "/"},
                          {"/../../etc", "/", "/etc"},
                          {"../../../../../usr", "/home/user", "/usr"},
                          // Relative paths count from the current folder, "/" when it is unknown.
                          {"bin/x", "/usr", "/usr/bin/x"},
                          {".", "/usr/", "/usr"},
                          {"./x", "//usr//lib/../", "/usr/x"},
                          {"usr/bin", "", "/usr/bin"},
                          // Empty stays empty; backslash and case are ordinary.
                          {"", "/home", ""},
                          {"/usr\\..\\bin", "/", "/usr\\..\\bin"},
                          {"/USR/Bin/", "/", "/USR/Bin"},
                      });
}

TEST(PathNormalize, Windows) {
    expect_normalized(
        path_style::windows,
        {
            {"C:\\Temp\\..\\Windows\\System32\\x", "C:\\", "C:\\Windows\\System32\\x"},
            {"c:\\windows\\.\\system32", "C:\\", "c:\\windows\\system32"},
            {"C:\\..", "C:\\", "C:\\"},
            {"Windows\\x", "C:\\", "C:\\Windows\\x"},
            {"..\\..\\Windows", "C:\\Users\\me", "C:\\Windows"},
            // A leading separator is the root of the current folder's drive.
            {"\\Windows", "D:\\data", "D:\\Windows"},
            // "C:x" is relative to the current folder only when that is on drive C.
            {"C:Windows", "c:\\Users", "c:\\Users\\Windows"},
            {"C:Windows", "D:\\x", "C:\\Windows"},
            // Network shares are roots ".." cannot leave.
            {"\\\\server\\share\\..\\x", "C:\\", "\\\\server\\share\\x"},
            {"//server/share/a/./b", "C:\\", "\\\\server\\share\\a\\b"},
            {"\\\\server", "C:\\", "\\\\server\\"},
        });
}

} // namespace
