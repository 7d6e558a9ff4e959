#include "golden.h"

#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/desktop_driver.h"
#include "desktop/desktop_render.h"
#include "support/scratch.h"

namespace qor::test {

namespace {

bool updating_goldens() {
    const char* update = std::getenv("QOR_UPDATE_GOLDENS");
    return update && std::string(update) == "1";
}

// The golden's pixels as 0xAARRGGBB values, or an empty vector.
std::vector<uint32_t> read_png(const std::string& path, int* width, int* height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return pixels;
}

} // namespace

::testing::AssertionResult frame_matches_golden(const char* name) {
    const std::string golden = std::string(QOR_GOLDEN_DIR) + "/" + name + ".png";
    if (updating_goldens()) {
        if (desktop_driver_save_png(golden.c_str()) != 0) {
            return ::testing::AssertionFailure() << "cannot write " << golden;
        }
        return ::testing::AssertionSuccess();
    }
    int width = 0, height = 0;
    const std::vector<uint32_t> expected = read_png(golden, &width, &height);
    if (expected.empty() || width != DESKTOP_WIDTH || height != DESKTOP_HEIGHT) {
        return ::testing::AssertionFailure() << "missing or unreadable golden " << golden;
    }
    int differing = 0, first_x = -1, first_y = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // PNG_FORMAT_BGRA in memory is the framebuffer's byte order.
            const uint32_t want = expected[static_cast<size_t>(y) * width + x];
            if (desktop_driver_pixel(x, y) == want) continue;
            if (differing++ == 0) first_x = x, first_y = y;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    const std::filesystem::path actual = scratch_root() / (std::string(name) + ".actual.png");
    desktop_driver_save_png(actual.c_str());
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << golden << ", first at (" << first_x << ", "
           << first_y << "); this frame: " << actual.string();
}

} // namespace qor::test
