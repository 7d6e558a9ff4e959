#include "host/staging_names.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qor::host::staging {

namespace {

constexpr char kMark[] = ".qor-staging.";
// After the file name: '.', the mark, an owner of up to 10 digits, '.' and 16
// hex digits.
constexpr size_t kSuffixBytes = 1 + (sizeof kMark - 1) + 10 + 1 + 16;

} // namespace

std::string prefix(const std::string& file_name, size_t max_name_bytes) {
    std::string stem = file_name;
    const size_t max_stem = max_name_bytes - kSuffixBytes;
    if (stem.size() > max_stem) {
        size_t cut = max_stem;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    return "." + stem + kMark;
}

std::string name(const std::string& file_name, size_t max_name_bytes, uint64_t owner,
                 uint64_t random_bits) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "%llu.%016llx", static_cast<unsigned long long>(owner),
                  static_cast<unsigned long long>(random_bits));
    return prefix(file_name, max_name_bytes) + suffix;
}

uint64_t owner_of(const std::string& entry, const std::string& prefix, uint64_t max_owner) {
    if (entry.compare(0, prefix.size(), prefix) != 0) return 0;
    const char* digits = entry.c_str() + prefix.size();
    if (*digits < '0' || *digits > '9') return 0;
    char* end = nullptr;
    errno = 0;
    const unsigned long long owner = std::strtoull(digits, &end, 10);
    if (errno != 0 || *end != '.' || owner == 0 || owner > max_owner) return 0;
    if (std::strlen(end + 1) != 16) return 0;
    return owner;
}

} // namespace qor::host::staging
