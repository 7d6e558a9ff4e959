// Fixed-size text: a text that does not fit is refused whole, never cut.
#include "boot/bounded_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(BoundedText, FormatsOnlyWhatFitsWithItsTerminator) {
    char out[8];
    const std::string fits(7, 'x'), too_long(8, 'x');
    EXPECT_TRUE(qor::format_whole(out, "%s", fits.c_str()));
    EXPECT_EQ(out, fits);
    EXPECT_FALSE(qor::format_whole(out, "%s", too_long.c_str())) << "one byte too long";
    EXPECT_STREQ(out, "");

    // UTF-8 prefixes never end inside a character: "é" is two bytes.
    const char* text = "a\xC3\xA9z";
    const size_t length = std::strlen(text);
    const size_t expected[] = {0, 1, 1, 3, 4, 4};
    for (size_t limit = 0; limit < std::size(expected); ++limit)
        EXPECT_EQ(qor::utf8_prefix_length(text, length, limit), expected[limit]) << limit;
}

} // namespace
