// Parameter texts split as the Microsoft C runtime splits them.
#include "host/windows_command_line.h"

#include <gtest/gtest.h>

namespace {

using args = std::vector<std::string>;

TEST(WindowsCommandLine, SplitsLikeTheCRuntime) {
    const struct {
        const char* text;
        args expected;
    } cases[] = {
        {nullptr, {}},
        {"", {}},
        {"  \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"\"a b\" c", {"a b", "c"}},
        {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}},
        {"a\\\\b", {"a\\\\b"}},       // backslashes alone are literal
        {"a\\\"b", {"a\"b"}},         // odd count: literal quote
        {"a\\\\\"b c\"", {"a\\b c"}}, // even count: half, then the quote acts
        {"\"a\"\"b\"", {"a\"b"}},     // doubled quote inside quotes
        {"\"unterminated arg", {"unterminated arg"}},
        {"c:\\dir\\ x", {"c:\\dir\\", "x"}},
        {"\xE4\xB8\xAD\xE6\x96\x87 x", {"\xE4\xB8\xAD\xE6\x96\x87", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qor::host::split_windows_command_line(c.text), c.expected)
            << (c.text ? c.text : "(null)");
}

} // namespace
