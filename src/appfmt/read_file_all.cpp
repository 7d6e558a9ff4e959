// qpa_read_file_all: a whole file in one malloc'd buffer, for callers of the
// library that want it; the converter itself streams.
#include "appfmt/file_copy.h"

#include <qoros/qor_package.h>

#include <cstdlib>

extern "C" uint8_t* qpa_read_file_all(const char* path, size_t* out_size) {
    using namespace qor;
    if (path == nullptr || out_size == nullptr) return nullptr;
    appfmt::scoped_file file(host::open_file(path, host::open_mode::read));
    uint64_t size = 0;
    if (!file.valid() || !host::file_size(file.file, &size) || size > SIZE_MAX - 1) return nullptr;
    auto* buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(size) + 1));
    if (buffer == nullptr) return nullptr;
    const int64_t got = appfmt::read_fully(file.file, buffer, static_cast<size_t>(size));
    if (got < 0) {
        std::free(buffer);
        return nullptr;
    }
    *out_size = static_cast<size_t>(got);
    return buffer;
}
