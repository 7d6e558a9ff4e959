// PNG encoding and decoding with libpng's simplified API.
#include "host/host_png.h"

#include <png.h>

#include "host/host_fs.h"

#include <vector>

namespace qor::host {

// The image is encoded in memory and written as a staged file, so the file
// goes through the same atomic replacement (and the same fault seam) as
// every other file QorOS writes.
bool write_png_rgba(const char* path, int width, int height, const uint8_t* rgba, size_t stride) {
    if (!path || !*path || width <= 0 || height <= 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    const auto row_stride = static_cast<png_int_32>(stride);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba, row_stride, nullptr))
        return false;
    std::vector<uint8_t> encoded(size);
    const bool ok =
        png_image_write_to_memory(&image, encoded.data(), &size, 0, rgba, row_stride, nullptr) != 0;
    png_image_free(&image);
    if (!ok) return false;

    staged_file out;
    if (!stage_file(path, &out)) return false;
    if (!write_staged(&out, encoded.data(), size)) {
        discard_staged_file(&out);
        return false;
    }
    return commit_staged_file(&out);
}

bool read_png_rgba(const char* path, int* width, int* height, std::vector<uint8_t>* rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) return false;
    image.format = PNG_FORMAT_RGBA;
    rgba->assign(PNG_IMAGE_SIZE(image), 0);
    const bool ok = png_image_finish_read(&image, nullptr, rgba->data(), 0, nullptr) != 0;
    png_image_free(&image);
    if (!ok) return false;
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return true;
}

} // namespace qor::host
