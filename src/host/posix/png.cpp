// PNG encoding and decoding with libpng's simplified API.
#include "host/host_png.h"

#include <png.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace qor::host {
namespace {

std::atomic<unsigned> g_png_temp_counter{0};

// A new file beside `path`, created exclusively with mode 0666 so the umask
// applies as for any new file.
int create_temp_beside(const std::string& path, std::string* temp_path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temp_path = path + ".tmp-" + std::to_string(getpid()) + "-" +
                     std::to_string(g_png_temp_counter.fetch_add(1));
        const int fd = open(temp_path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

bool write_png_rgba(const char* path, int width, int height, const uint8_t* rgba, size_t stride) {
    std::string temp_path;
    const int fd = create_temp_beside(path, &temp_path);
    if (fd < 0) return false;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(temp_path.c_str());
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    const bool encoded = png_image_write_to_stdio(&image, file, 0, rgba,
                                                  static_cast<png_int_32>(stride), nullptr) != 0;
    png_image_free(&image);
    const bool flushed = fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = fclose(file) == 0;
    if (!encoded || !flushed || !closed || rename(temp_path.c_str(), path) != 0) {
        unlink(temp_path.c_str());
        return false;
    }
    return true;
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
