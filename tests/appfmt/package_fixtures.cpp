#include "package_fixtures.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

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
    if (size > 0) bytes[0] = 'M';
    if (size > 1) bytes[1] = 'Z';
    return bytes;
}

qpa_header header_of(const std::string& file_bytes) {
    qpa_header header{};
    std::memcpy(&header, file_bytes.data(), std::min(file_bytes.size(), sizeof header));
    return header;
}

qpa_header header_of_file(const std::filesystem::path& path) {
    return header_of(read_bytes(path));
}

std::string without_crc_field(const std::string& file_bytes) {
    return file_bytes.substr(0, 352) + file_bytes.substr(356);
}

} // namespace qor::test
