#include "file_holder.h"

#include <windows.h>

namespace qor::test {

held_file hold_file(const std::filesystem::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    return {reinterpret_cast<intptr_t>(file)};
}

void release(held_file* file) {
    if (file->native != -1) CloseHandle(reinterpret_cast<HANDLE>(file->native));
    file->native = -1;
}

int this_process_id() {
    return static_cast<int>(GetCurrentProcessId());
}

} // namespace qor::test
