// PNG files: the host's image codec (libpng on Linux, the Windows Imaging
// Component on Windows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qor::host {

// Writes 8-bit RGBA rows (`stride` bytes apart) as a PNG. The file is written
// under a temporary name beside `path` and renamed over it when complete, so
// `path` holds either its old content or the whole new image; the new file
// gets the ordinary permissions for new files (0666 less the umask). False
// when the file cannot be written; `path` is then left as it was.
bool write_png_rgba(const char* path, int width, int height, const uint8_t* rgba, size_t stride);

// Reads any PNG as 8-bit RGBA, rows packed. False when the file cannot be read
// or is not a valid PNG.
bool read_png_rgba(const char* path, int* width, int* height, std::vector<uint8_t>* rgba);

} // namespace qor::host
