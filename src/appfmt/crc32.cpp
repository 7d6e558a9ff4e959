// CRC-32 front end: engine choice on first use, zlib's complement
// convention, and the public qpa_crc32.
#include "appfmt/crc32.h"

#include "appfmt/crc32_engines.h"

#include <qoros/qor_package.h>

namespace qor::appfmt {

namespace {

using state_fn = uint32_t (*)(uint32_t, const uint8_t*, size_t);

state_fn engine_function(crc32_engine engine) {
    switch (engine) {
#ifdef QOR_CRC32_HAVE_CLMUL
    case crc32_engine::pclmul:
        return crc32_state_pclmul;
    case crc32_engine::vpclmul_avx2:
        return crc32_state_vpclmul_avx2;
    case crc32_engine::vpclmul_avx512:
        return crc32_state_vpclmul;
#endif
    default:
        return crc32_state_slice_by_16;
    }
}

crc32_engine best_engine() {
    if (crc32_engine_available(crc32_engine::vpclmul_avx512)) return crc32_engine::vpclmul_avx512;
    if (crc32_engine_available(crc32_engine::vpclmul_avx2)) return crc32_engine::vpclmul_avx2;
    if (crc32_engine_available(crc32_engine::pclmul)) return crc32_engine::pclmul;
    return crc32_engine::slice_by_16;
}

} // namespace

bool crc32_engine_available(crc32_engine engine) {
    switch (engine) {
    case crc32_engine::slice_by_16:
        return true;
#ifdef QOR_CRC32_HAVE_CLMUL
    case crc32_engine::pclmul:
        return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    case crc32_engine::vpclmul_avx2:
        return crc32_engine_available(crc32_engine::pclmul) && __builtin_cpu_supports("avx2") &&
               __builtin_cpu_supports("vpclmulqdq");
    case crc32_engine::vpclmul_avx512:
        return crc32_engine_available(crc32_engine::pclmul) && __builtin_cpu_supports("avx512f") &&
               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("vpclmulqdq");
#endif
    default:
        return false;
    }
}

crc32_engine crc32_active_engine() {
    static const crc32_engine engine = best_engine();
    return engine;
}

const char* crc32_engine_name(crc32_engine engine) {
    switch (engine) {
    case crc32_engine::slice_by_16:
        return "slice-by-16";
    case crc32_engine::pclmul:
        return "pclmulqdq";
    case crc32_engine::vpclmul_avx2:
        return "vpclmulqdq-avx2";
    case crc32_engine::vpclmul_avx512:
        return "vpclmulqdq-avx512";
    }
    return "?";
}

uint32_t crc32_update_with(crc32_engine engine, uint32_t crc, const void* data, size_t size) {
    if (data == nullptr || size == 0) return crc;
    return ~engine_function(engine)(~crc, static_cast<const uint8_t*>(data), size);
}

uint32_t crc32_update(uint32_t crc, const void* data, size_t size) {
    static const state_fn active = engine_function(crc32_active_engine());
    if (data == nullptr || size == 0) return crc;
    return ~active(~crc, static_cast<const uint8_t*>(data), size);
}

} // namespace qor::appfmt

extern "C" uint32_t qpa_crc32(const void* data, size_t length) {
    return qor::appfmt::crc32_update(0, data, length);
}
