// Builders and readers for package tests.
#pragma once

#include "support/scratch.h"

#include <qoros/qor_package.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace qor::test {

// A plausible program: "MZ" followed by a deterministic byte pattern.
std::string program_bytes(size_t size, uint32_t seed = 1);
// Deterministic pseudo-random bytes.
std::string random_bytes(size_t size, uint32_t seed);

// The first 512 bytes of a file as a header record (zeroes when shorter).
// Its fields are packed: tests compare them as +h.field so that gtest binds
// its reference to an aligned copy rather than to the misaligned field.
qpa_header header_of(const std::string& file_bytes);
qpa_header header_of_file(const std::filesystem::path& path);

// Bytes of a file with bytes 352..355 left out: the checksummed sequence.
std::string without_crc_field(const std::string& file_bytes);

} // namespace qor::test
