// Header checksum and the bounded field copy used to fill headers.
#include "appfmt/package_header.h"

#include "appfmt/crc32.h"

namespace qor::appfmt {

uint32_t header_crc32(const qpa_header& header) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&header);
    const uint32_t crc = crc32_update(0, bytes, kCrcFieldOffset);
    return crc32_update(crc, bytes + kCrcFieldEnd, sizeof header - kCrcFieldEnd);
}

} // namespace qor::appfmt

extern "C" void qpa_strncpy_safe(char* dst, const char* src, size_t size) {
    if (dst == nullptr || src == nullptr || size == 0) return;
    size_t length = 0;
    while (length + 1 < size && src[length] != '\0')
        ++length;
    std::memcpy(dst, src, length);
    std::memset(dst + length, 0, size - length);
}
