// Holding a file as a live staged-file writer does, so tests can show that
// such a file is never taken away: an flock on POSIX, an open handle that
// shares nothing on Windows.
#pragma once

#include <cstdint>
#include <filesystem>

namespace qor::test {

struct held_file {
    intptr_t native = -1;
};

held_file hold_file(const std::filesystem::path& path);
void release(held_file* file);
// The id of the test process itself.
int this_process_id();

} // namespace qor::test
