// The engines behind crc32_update. They work on the raw register ("state"):
// the caller applies zlib's initial and final complement.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::appfmt {

inline constexpr uint32_t kCrc32Polynomial = 0xEDB88320u; // reflected

uint32_t crc32_state_slice_by_16(uint32_t state, const uint8_t* data, size_t size);

#if defined(__x86_64__) || defined(__i386__)
#define QOR_CRC32_HAVE_CLMUL 1
uint32_t crc32_state_pclmul(uint32_t state, const uint8_t* data, size_t size);
uint32_t crc32_state_vpclmul_avx2(uint32_t state, const uint8_t* data, size_t size);
uint32_t crc32_state_vpclmul(uint32_t state, const uint8_t* data, size_t size);
#endif

} // namespace qor::appfmt
