// CRC-32 of zlib and PNG (reflected polynomial 0xEDB88320), bit-identical to
// zlib's crc32(). The fastest engine the CPU supports is picked on first use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor::appfmt {

// Continues a CRC over more bytes: start with 0, pass each result back in.
// Same convention as zlib's crc32(crc, buf, len).
uint32_t crc32_update(uint32_t crc, const void* data, size_t size);

// The engines, exposed so that tests and benchmarks can check each one.
enum class crc32_engine {
    slice_by_16,    // table-driven, any CPU
    pclmul,         // 128-bit carry-less multiply folding (SSE4.1 + PCLMULQDQ)
    vpclmul_avx2,   // 256-bit folding (AVX2 + VPCLMULQDQ)
    vpclmul_avx512, // 512-bit folding (AVX-512 + VPCLMULQDQ)
};

bool crc32_engine_available(crc32_engine engine);
// The engine crc32_update uses on this machine.
crc32_engine crc32_active_engine();
const char* crc32_engine_name(crc32_engine engine);
// crc32_update through one particular engine, which must be available.
uint32_t crc32_update_with(crc32_engine engine, uint32_t crc, const void* data, size_t size);

} // namespace qor::appfmt
