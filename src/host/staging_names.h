// Names of staged files, the same on every host: ".<file name>.qor-staging."
// followed by the writer's process id, '.', and 16 hex digits. A file a killed
// writer left behind can then be found again and its owner read back.
#pragma once

#include <cstdint>
#include <string>

namespace qor::host::staging {

// The part every staging name of one destination starts with. The file name
// is cut at a character boundary so that the whole name stays within
// `max_name_bytes`.
std::string prefix(const std::string& file_name, size_t max_name_bytes);

// A fresh staging name (without its folder): prefix, owner and random bits.
std::string name(const std::string& file_name, size_t max_name_bytes, uint64_t owner,
                 uint64_t random_bits);

// The owner a staging name carries, or 0 when `entry` is not a staging name
// of `prefix` or names an owner above `max_owner`.
uint64_t owner_of(const std::string& entry, const std::string& prefix, uint64_t max_owner);

} // namespace qor::host::staging
