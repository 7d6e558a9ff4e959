#include "file_holder.h"

#include <sys/file.h>
#include <unistd.h>

#include <fcntl.h>

namespace qor::test {

held_file hold_file(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && flock(fd, LOCK_EX) != 0) {
        close(fd);
        return {};
    }
    return {fd};
}

void release(held_file* file) {
    if (file->native >= 0) close(static_cast<int>(file->native));
    file->native = -1;
}

int this_process_id() {
    return static_cast<int>(getpid());
}

} // namespace qor::test
