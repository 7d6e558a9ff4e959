// Builders and readers for package tests.
#pragma once

#include "support/scratch.h"

#include <qoros/qor_package.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

namespace qor::test {

// Deterministic pseudo-random bytes; a program starts with "MZ".
inline std::string random_bytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}
inline std::string program_bytes(size_t size, uint32_t seed = 1) {
    std::string bytes = random_bytes(size, seed);
    return bytes.replace(0, std::min<size_t>(size, 2), std::string("MZ").substr(0, size));
}

// A header with the magic and `name`, padded with 'x' to `total` bytes.
inline std::string bare_package(const char* name, size_t total = 512) {
    qpa_header header{};
    std::memcpy(header.magic, "QORAPP\0\0", 8);
    std::strncpy(header.name, name, sizeof header.name - 1);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.resize(total, 'x');
    return bytes;
}

// The first 512 bytes of a file as a header record (zeroes when shorter).
// Its fields are packed: tests compare them as +h.field so that gtest binds
// its reference to an aligned copy rather than to the misaligned field.
inline qpa_header header_of(const std::string& file_bytes) {
    qpa_header header{};
    std::memcpy(&header, file_bytes.data(), std::min(file_bytes.size(), sizeof header));
    return header;
}
inline qpa_header header_of_file(const std::filesystem::path& path) {
    return header_of(read_bytes(path));
}

// Bytes of a file with bytes 352..355 left out: the checksummed sequence.
inline std::string without_crc_field(const std::string& file_bytes) {
    return file_bytes.substr(0, 352) + file_bytes.substr(356);
}

} // namespace qor::test
