// How many files this process holds open, to show that an operation gives
// back every descriptor it took. Linux lists them in /proc/self/fd; Windows
// has no such listing, so there the count is always 0.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iterator>

namespace qor::test {

inline size_t open_descriptor_count() {
#ifdef _WIN32
    return 0;
#else
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<size_t>(std::distance(begin(entries), end(entries)));
#endif
}

} // namespace qor::test
