// Facts about the 512-byte package header shared by the writer and readers.
#pragma once

#include <qoros/qor_package.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace qor::appfmt {

// The header is written and read as raw bytes of the record.
static_assert(std::endian::native == std::endian::little, "package integers are little-endian");

inline constexpr uint8_t kPackageMagic[8] = {'Q', 'O', 'R', 'A', 'P', 'P', 0, 0};
inline constexpr size_t kCrcFieldOffset = offsetof(qpa_header, crc32);
inline constexpr size_t kCrcFieldEnd = kCrcFieldOffset + sizeof(uint32_t);
static_assert(kCrcFieldOffset == 352, "crc32 field position");
inline constexpr uint32_t kFixed600 = 600;

inline bool has_package_magic(const qpa_header& header) {
    return std::memcmp(header.magic, kPackageMagic, sizeof kPackageMagic) == 0;
}

// CRC-32 of the header's bytes except the crc32 field: where every package
// checksum starts.
uint32_t header_crc32(const qpa_header& header);

// A text field of a header that came from a file: it ends at its terminator
// or, when a hostile file left none, at the end of the field.
template <size_t N> std::string_view header_text(const char (&field)[N]) {
    const void* nul = std::memchr(field, '\0', N);
    return {field, nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : N};
}

} // namespace qor::appfmt
