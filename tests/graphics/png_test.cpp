// Saving framebuffers as PNG: content, results, and no broken files.
#include "canvas.h"
#include "host/host_png.h"
#include "support/fault_matrix.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using qor::test::canvas;
using qor::test::rgba;
namespace fs = std::filesystem;

TEST(SavePng, RoundTripsPixelsWithOpaqueAlpha) {
    const fs::path dir = qor::test::fresh_folder();
    canvas c(7, 5);
    c.fill_pattern(3);
    c.ctx->framebuffer[3] = 17; // a stray alpha byte is still written as 255
    const std::string path = (dir / "shot.png").string();
    ASSERT_EQ(qor_graphics_save_png(c.ctx, path.c_str()), QOR_OK);

    int w = 0, h = 0;
    std::vector<uint8_t> rgba_bytes;
    ASSERT_TRUE(qor::host::read_png_rgba(path.c_str(), &w, &h, &rgba_bytes));
    ASSERT_EQ(w, 7);
    ASSERT_EQ(h, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const uint8_t* p = &rgba_bytes[(y * 7 + x) * 4];
            const uint32_t pixel = c.at(x, y);
            EXPECT_EQ(p[0], (pixel >> 16) & 0xFF);
            EXPECT_EQ(p[1], (pixel >> 8) & 0xFF);
            EXPECT_EQ(p[2], pixel & 0xFF);
            EXPECT_EQ(p[3], 255);
        }
    }
    // Only the image itself is left in the folder, with a new file's permissions.
    std::ofstream(dir / "plain.txt") << "x";
    EXPECT_EQ(fs::status(path).permissions(), fs::status(dir / "plain.txt").permissions());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST(SavePng, ArgumentsAndUnwritablePlaces) {
    const fs::path dir = qor::test::fresh_folder();
    canvas c(4, 4);
    EXPECT_EQ(qor_graphics_save_png(c.ctx, nullptr), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_graphics_save_png(c.ctx, ""), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_graphics_save_png(nullptr, "x.png"), QOR_ERR_GRAPHICS);

    EXPECT_EQ(qor_graphics_save_png(c.ctx, (dir / "missing" / "x.png").string().c_str()),
              QOR_ERR_IO);
    // A folder in the way: the save fails and leaves no temporary file behind.
    fs::create_directory(dir / "taken.png");
    EXPECT_EQ(qor_graphics_save_png(c.ctx, (dir / "taken.png").string().c_str()), QOR_ERR_IO);
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // Replacing an existing image swaps it whole.
    const std::string path = (dir / "a.png").string();
    qor::test::write_bytes(path, "old");
    ASSERT_EQ(qor_graphics_save_png(c.ctx, path.c_str()), QOR_OK);
    int w = 0, h = 0;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(qor::host::read_png_rgba(path.c_str(), &w, &h, &bytes));
    EXPECT_FALSE(qor::host::read_png_rgba((dir / "taken.png").string().c_str(), &w, &h, &bytes));
}

TEST(SavePng, RelativePathsNameFilesBelowTheCurrentFolder) {
    const fs::path dir = qor::test::fresh_folder();
    fs::create_directory(dir / "docs");
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    canvas c(3, 2);
    const int plain = qor_graphics_save_png(c.ctx, "x.png");
    const int nested = qor_graphics_save_png(c.ctx, "docs/x.png");
    fs::current_path(before);
    EXPECT_EQ(plain, QOR_OK);
    EXPECT_EQ(nested, QOR_OK);
    EXPECT_EQ(qor::test::folder_names(dir), (std::vector<std::string>{"docs", "x.png"}));
    EXPECT_EQ(qor::test::folder_names(dir / "docs"), std::vector<std::string>{"x.png"});
}

TEST(SavePng, FileFaultsKeepTheOldImage) {
    const fs::path dir = qor::test::fresh_folder();
    canvas c(64, 48);
    c.fill_pattern(5);
    const auto path = dir / "shot.png";
    qor::test::scoped_fault_plan faults;
    qor::test::fail_each(
        "PNG saving", [&] { return qor_graphics_save_png(c.ctx, path.string().c_str()); },
        {qor::host::fs_op::open_write, qor::host::fs_op::write, qor::host::fs_op::rename}, path,
        QOR_ERR_IO);
}
