// The downloader's URL builders with arbitrary names, versions, queries,
// source ids and output sizes. The output buffer is exactly `size` bytes on
// the heap, so writing one byte too many is reported. Input: source id byte,
// size byte, then name, version and query separated by NUL bytes (a missing
// version stands for "latest").
#include <qoros/qorget.h>

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using qor::fuzz::require;

namespace {

std::vector<std::string> split_at_nul(const uint8_t* data, size_t size) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    return parts;
}

// What a builder may put into a URL: the template's own characters and
// percent-encoded bytes, never a raw space, control character or non-ASCII
// byte taken from the input.
bool url_safe(const char* url) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(url); *p; ++p)
        if (*p <= 0x20 || *p >= 0x7F) return false;
    return true;
}

void check_result(int rc, int32_t source, const char* out, size_t size) {
    if (qorget_source_base_url(source) == nullptr) {
        require(rc == QOR_ERR_NOT_FOUND || rc == QOR_ERR_INVALID_ARG);
        return;
    }
    if (size == 0) {
        require(rc == QOR_ERR_INVALID_ARG);
        return;
    }
    require(rc == QOR_OK);
    require(std::memchr(out, '\0', size) != nullptr);
    require(url_safe(out));
    // However short the buffer, what is there is the start of an https URL.
    const size_t shown = std::strlen(out);
    require(std::strncmp(out, "https://", shown < 8 ? shown : 8) == 0);
    require(shown == size - 1 || shown > 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int32_t source = static_cast<int8_t>(data[0]) % 10;
    const size_t out_size = data[1];
    const auto parts = split_at_nul(data + 2, size - 2);
    const char* name = parts[0].c_str();
    const char* version = parts.size() > 1 ? parts[1].c_str() : nullptr;
    const char* query = parts.size() > 2 ? parts[2].c_str() : name;

    std::unique_ptr<char[]> out(out_size ? new char[out_size] : nullptr);
    char* buffer = out_size ? out.get() : reinterpret_cast<char*>(1); // never written at size 0
    int rc = qorget_build_package_url(source, name, version, buffer, out_size);
    check_result(rc, source, buffer, out_size);
    rc = qorget_build_search_url(source, query, buffer, out_size);
    check_result(rc, source, buffer, out_size);
    return 0;
}
