#include "package_fixtures.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace qor::test {

std::string random_bytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

std::string program_bytes(size_t size, uint32_t seed) {
    std::string bytes = random_bytes(size, seed);
    return bytes.replace(0, std::min<size_t>(size, 2), std::string("MZ").substr(0, size));
}

std::string bare_package(const char* name, size_t total) {
    qpa_header header{};
    std::memcpy(header.magic, "QORAPP\0\0", 8);
    std::strncpy(header.name, name, sizeof header.name - 1);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.resize(total, 'x');
    return bytes;
}

qpa_header header_of(const std::string& file_bytes) {
    qpa_header header{};
    std::memcpy(&header, file_bytes.data(), std::min(file_bytes.size(), sizeof header));
    return header;
}

} // namespace qor::test
