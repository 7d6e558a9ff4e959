// Builders and readers for package tests.
#pragma once

#include "support/scratch.h"

#include <qoros/qor_package.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace qor::test {

// Deterministic pseudo-random bytes; a program starts with "MZ".
std::string random_bytes(size_t size, uint32_t seed);
std::string program_bytes(size_t size, uint32_t seed = 1);

// A header with the magic and `name`, padded with 'x' to `total` bytes.
std::string bare_package(const char* name, size_t total = 512);

// The first 512 bytes of a file as a header record (zeroes when shorter).
// Its fields are packed: tests compare them as +h.field so that gtest binds
// its reference to an aligned copy rather than to the misaligned field.
qpa_header header_of(const std::string& file_bytes);
inline qpa_header header_of_file(const std::filesystem::path& path) {
    return header_of(read_bytes(path));
}

// Bytes of a file with bytes 352..355 left out: the checksummed sequence.
inline std::string without_crc_field(const std::string& file_bytes) {
    return file_bytes.substr(0, 352) + file_bytes.substr(356);
}

} // namespace qor::test
