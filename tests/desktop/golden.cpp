#include "golden.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/desktop_driver.h"
#include "desktop/desktop_render.h"
#include "host/host_png.h"
#include "support/scratch.h"

namespace qor::test {

using namespace qor::desktop;

namespace {

bool updating_goldens() {
    const char* update = std::getenv("QOR_UPDATE_GOLDENS");
    return update && std::string(update) == "1";
}

// The golden's pixels as 0xAARRGGBB values, or an empty vector. The host's
// own PNG codec reads it (libpng on Linux, WIC on Windows).
std::vector<uint32_t> read_png(const std::string& path, int* width, int* height) {
    std::vector<uint8_t> rgba;
    if (!host::read_png_rgba(path.c_str(), width, height, &rgba)) return {};
    std::vector<uint32_t> pixels(rgba.size() / 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint8_t* px = &rgba[i * 4];
        pixels[i] = uint32_t{px[3]} << 24 | uint32_t{px[0]} << 16 | uint32_t{px[1]} << 8 | px[2];
    }
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
    if (expected.empty() || width != kDesktopWidth || height != kDesktopHeight) {
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
    desktop_driver_save_png(actual.string().c_str());
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << golden << ", first at (" << first_x << ", "
           << first_y << "); this frame: " << actual.string();
}

} // namespace qor::test
