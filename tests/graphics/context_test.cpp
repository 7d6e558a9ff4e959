#include <gtest/gtest.h>
#include <qoros/qor_graphics.h>

#include <cstring>
#include <vector>

TEST(GraphicsContext, NewFramebufferIsOpaqueBlackWithPackedRowsAndCounted) {
    ASSERT_EQ(qor_graphics_init(), QOR_OK);
    const int before = qor_graphics_get_context_count();
    qor_context* a = qor_graphics_create_context(3, 2);
    qor_context* b = qor_graphics_create_context(1, 1);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pitch, 12);
    for (int i = 0; i < 3 * 2; ++i) {
        const uint8_t black[4] = {0, 0, 0, 255};
        EXPECT_EQ(std::memcmp(a->framebuffer + i * 4, black, 4), 0) << i;
    }
    EXPECT_EQ(qor_graphics_init(), QOR_OK); // does not reset the table
    EXPECT_EQ(qor_graphics_get_context_count(), before + 2);
    qor_graphics_destroy_context(b);
    EXPECT_EQ(qor_graphics_get_context_count(), before + 1);

    std::vector<uint8_t> snapshot(a->framebuffer, a->framebuffer + a->pitch * a->height);
    EXPECT_EQ(qor_graphics_present(a), QOR_OK);
    EXPECT_EQ(std::memcmp(snapshot.data(), a->framebuffer, snapshot.size()), 0);
    EXPECT_EQ(qor_graphics_get_width(a), 3);
    EXPECT_EQ(qor_graphics_get_height(a), 2);
    qor_graphics_destroy_context(a);
}

TEST(GraphicsContext, InvalidHugeSizesAndNullContextsAreRefused) {
    const int before = qor_graphics_get_context_count();
    EXPECT_EQ(qor_graphics_create_context(0, 600), nullptr);
    EXPECT_EQ(qor_graphics_create_context(800, -1), nullptr);
    EXPECT_EQ(qor_graphics_create_context(2147483647, 2147483647), nullptr);
    EXPECT_EQ(qor_graphics_get_context_count(), before);

    EXPECT_EQ(qor_graphics_present(nullptr), QOR_ERR_GRAPHICS);
    EXPECT_EQ(qor_graphics_get_width(nullptr), 0);
    EXPECT_EQ(qor_graphics_get_height(nullptr), 0);
    EXPECT_EQ(qor_graphics_get_framebuffer(nullptr), nullptr);
    qor_graphics_destroy_context(nullptr);
}
