// Lexical path normalisation, on both path styles: random paths against a
// stack-of-segments reference, plus the roots and drives only rows can name.
#include "security/path_normalize.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using qor::security::normalize_path;
using qor::security::path_style;

namespace {

// The reference walk: every segment pushed, ".." pops (never past the root),
// "." and empty segments vanish; joined after the root with `sep`.
std::string reference(const std::string& root, const std::string& text, const std::string& seps,
                      char sep) {
    std::vector<std::string> stack;
    std::string segment;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && seps.find(text[i]) == std::string::npos) {
            segment += text[i];
            continue;
        }
        if (segment == "..") {
            if (!stack.empty()) stack.pop_back();
        } else if (!segment.empty() && segment != ".") {
            stack.push_back(segment);
        }
        segment.clear();
    }
    std::string out = root;
    for (size_t i = 0; i < stack.size(); ++i)
        out += (i ? std::string(1, sep) : "") + stack[i];
    return out;
}

struct start {
    const char* prefix; // written before the random segments
    const char* root;   // the root the result keeps
    const char* base;   // the current folder's segments the result starts from
};

// Random paths below each start: the result equals the reference walk, has no
// "." or ".." left, and normalising it again changes nothing.
void check_random_paths(path_style style, const char* cwd, std::initializer_list<start> starts) {
    const bool windows = style == path_style::windows;
    const std::string seps = windows ? "/\\" : "/";
    const char sep = windows ? '\\' : '/';
    const char* const segments[] = {"a", "Bc", "..", ".", "", "...", "x.y", "p\\q"};
    std::mt19937 random(7);
    for (const start& from : starts) {
        for (int trial = 0; trial < 300; ++trial) {
            std::string rest = "a";
            for (int n = random() % 8; n > 0; --n)
                rest += std::string(1, seps[random() % seps.size()]) + segments[random() % 8];
            const std::string path = from.prefix + rest;
            SCOPED_TRACE(path);
            const std::string out = normalize_path(path, cwd, style);
            EXPECT_EQ(out, reference(from.root, std::string(from.base) + sep + rest, seps, sep));
            EXPECT_EQ(normalize_path(out, windows ? "Q:\\elsewhere" : "/elsewhere", style), out);
        }
    }
}

TEST(PathNormalize, RandomPosixPathsFollowTheSegmentWalkAndStayBelowTheRoot) {
    check_random_paths(path_style::posix, "/u/v", {{"/", "/", ""}, {"", "/", "u/v"}});
    check_random_paths(path_style::posix, "//u//w/../", {{"", "/", "u"}});
    check_random_paths(path_style::posix, "", {{"", "/", ""}});
}

TEST(PathNormalize, RandomWindowsPathsFollowTheSegmentWalkAndStayBelowTheirRoot) {
    check_random_paths(path_style::windows, "C:\\u\\v",
                       {
                           {"C:\\", "C:\\", ""},
                           {"c:/", "c:\\", ""},
                           {"\\", "C:\\", ""},     // the root of the current drive
                           {"", "C:\\", "u\\v"},   // the current folder
                           {"c:", "C:\\", "u\\v"}, // the current folder, being on drive C
                           {"D:", "D:\\", ""},     // another drive's root
                           {"\\\\srv\\sh\\", "\\\\srv\\sh\\", ""}, // a share ".." cannot leave
                           {"//srv/sh/", "\\\\srv\\sh\\", ""},
                       });
}

TEST(PathNormalize, EmptyPathsIncompleteSharesAndNonLetterDrives) {
    const struct {
        path_style style;
        const char *path, *cwd, *expected;
    } rows[] = {
        {path_style::posix, "", "/home", ""},
        {path_style::windows, "", "C:\\", ""},
        {path_style::windows, "\\\\server", "C:\\", "\\\\server\\"},
        {path_style::windows, "\\\\", "C:\\", "\\\\"},
        {path_style::windows, "x", "relative", "\\relative\\x"},
        {path_style::windows, "@:x", "C:\\u", "C:\\u\\@:x"}, // only letters name drives
        {path_style::windows, "{:\\x", "C:\\u", "C:\\u\\{:\\x"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(normalize_path(row.path, row.cwd, row.style), row.expected) << row.path;
}

} // namespace
