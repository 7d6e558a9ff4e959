// Host file system: the only way the rest of QorOS touches files and folders.
// Paths are UTF-8; the Windows backend converts them to UTF-16 at each call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qor::host {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Full path of the running program file, or an empty string.
std::string program_file();

enum class create_result { created, exists, failed };

// One non-recursive folder creation.
create_result create_folder(const char* path);
// Creates an empty file that must not exist yet, and closes it again.
create_result create_new_file(const char* path);

// Removes a folder only when it is empty.
bool remove_folder(const char* path);
bool remove_file(const char* path);

struct path_info {
    bool is_folder = false;
    uint64_t size = 0;
    int64_t modified_unix = 0; // seconds since 1970-01-01 UTC
    int64_t created_unix = 0;  // birth time where recorded, else modified_unix
    // A symbolic link (listed entries only; the rest describes its target).
    // Windows lists links as themselves already and leaves this false.
    bool is_link = false;
};

// False when the path does not exist or cannot be queried.
bool query_path(const char* path, path_info* out);

struct folder_entry {
    std::string name;
    path_info info;
};

// Every entry of a folder in the order the host enumerates it, "." and ".."
// included when the host reports them. False when the folder cannot be read.
bool list_folder(const char* path, std::vector<folder_entry>* out);

bool current_folder(std::string* out);
bool change_folder(const char* path);

// Open files. A handle is the host's own descriptor; kInvalidFile means none.
using file_handle = intptr_t;
inline constexpr file_handle kInvalidFile = -1;

enum class open_mode {
    read,           // existing file, reading
    write_truncate, // create or truncate, writing
    append,         // create if missing, every write goes to the end
};

// Only regular files open: anything else (a FIFO, a device, a folder) fails
// at once, without blocking. Appending never goes through a link.
file_handle open_file(const char* path, open_mode mode);
// Bytes read (0 at the end), or -1 on failure. Retries interrupted reads.
int64_t read_file(file_handle file, void* buffer, size_t size);
// Writes every byte, or returns false.
bool write_file(file_handle file, const void* data, size_t size);
bool seek_file(file_handle file, uint64_t offset);
bool file_size(file_handle file, uint64_t* size);
bool close_file(file_handle file);

} // namespace qor::host

namespace qor::host {

// A file written under a hidden identity and made visible under its final
// path only when complete: readers see either the old file or the whole new
// one, and an abandoned or failed write leaves the destination untouched.
// This is the one way QorOS replaces a whole file (packages, extracted
// programs, downloads, images). The data is flushed to the disk before it
// takes the final name. The finished file gets the permissions of a plain
// create (0666 less the umask). A final path that is a symbolic link
// replaces the link's target. A destination that exists and is not a
// regular file (or a link to one) is refused and left untouched. Staging leaves of writers that
// were killed are removed by a later staging of the same destination once their owner is provably
// gone.
struct staged_file {
    file_handle file = kInvalidFile;
    std::string final_path;
    std::string temp_path;       // empty while the file has no name of its own
    uint64_t appended = 0;       // bytes written by write_staged
    uint64_t handed_to_disk = 0; // of those, bytes whose write-back has started
};

// Opens a new staged file for writing in the folder of final_path.
bool stage_file(const char* final_path, staged_file* out);
// Appends to a staged file. Where the host can, completed stretches are
// handed to the disk while later ones are still being written (a bounded
// amount in flight), so the flush before the commit waits only for the tail.
bool write_staged(staged_file* staged, const void* data, size_t size);
// Closes the file and moves it into place, replacing any existing file.
// On failure the staged data is discarded and the destination is unchanged.
bool commit_staged_file(staged_file* staged);
// Closes and forgets the staged file; nothing remains on disk.
void discard_staged_file(staged_file* staged);

} // namespace qor::host
