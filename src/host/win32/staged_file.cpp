// Staged files on Windows: the data goes to a hidden, uniquely named file in
// the destination's folder; the commit flushes it, clears the hidden mark and
// moves it over the destination with MoveFileExW(MOVEFILE_REPLACE_EXISTING),
// which replaces the old file in one step on the same volume.
//
// The staging name is recognisable, ".<file name>.qor-staging.<pid>.<16 hex
// digits>", so a file left by a killed writer can be found again. The writer
// opens its file without sharing: while it may still write the file nobody
// else can open it, which stands in for the POSIX writer's lock. A later
// staging of the same destination removes such a file only when the process
// in its name is gone AND the file can be opened exclusively.
#include "host/host_fault.h"
#include "host/host_fs.h"
#include "host/staging_names.h"
#include "host/win32/wide.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <vector>

namespace qor::host {

using win32::narrow;
using win32::widen;

namespace {

constexpr int kNameAttempts = 16;
// A file name holds at most 255 characters; counting its UTF-8 bytes instead
// keeps every staging name within that.
constexpr size_t kMaxName = 255;

size_t last_separator(const std::string& path) {
    return path.find_last_of("\\/");
}

// A destination that is a symbolic link (a reparse point) is written through:
// the file it leads to is replaced, not the link.
std::string resolve_destination(const char* path) {
    const std::wstring wide = widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    HANDLE target =
        CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) return path;
    wchar_t buffer[32768];
    const DWORD n = GetFinalPathNameByHandleW(target, buffer, 32768, FILE_NAME_NORMALIZED);
    CloseHandle(target);
    if (n == 0 || n >= 32768) return path;
    std::string resolved = narrow(buffer);
    // "\\?\C:\..." is a plain drive path; "\\?\UNC\server\..." a share.
    if (resolved.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + resolved.substr(8);
    if (resolved.rfind("\\\\?\\", 0) == 0) return resolved.substr(4);
    return resolved;
}

uint64_t unique_bits() {
    static std::atomic<uint32_t> counter{0};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return (uint64_t{GetCurrentProcessId()} << 40) ^ (uint64_t{counter.fetch_add(1)} << 24) ^
           static_cast<uint64_t>(now.QuadPart);
}

std::string folder_of(const std::string& path) {
    const size_t cut = last_separator(path);
    return cut == std::string::npos ? "" : path.substr(0, cut + 1);
}

std::string file_name_of(const std::string& path) {
    const size_t cut = last_separator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// "<folder>\.<name>.<16 hex digits>": hidden, and unlikely to collide. Holds
// the old file for a moment while an open destination is replaced.
std::string hidden_name_beside(const std::string& final_path) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx",
                  static_cast<unsigned long long>(unique_bits()));
    return folder_of(final_path) + "." + file_name_of(final_path) + suffix;
}

std::string staging_prefix(const std::string& final_path) {
    return staging::prefix(file_name_of(final_path), kMaxName);
}

std::string staging_name(const std::string& final_path) {
    return folder_of(final_path) +
           staging::name(file_name_of(final_path), kMaxName, GetCurrentProcessId(), unique_bits());
}

// Only a process that provably does not exist counts as gone; one we may not
// ask about is alive.
bool process_alive(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// Removes the file when nobody has it open: an exclusive open succeeds only
// then, and deleting on close removes exactly the file that was opened.
void remove_if_unused(const std::string& path) {
    const std::wstring wide = widen(path.c_str());
    if (wide.empty()) return;
    HANDLE file = CreateFileW(wide.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// Staging files of this destination whose writer was killed.
void remove_abandoned_stagings(const std::string& final_path) {
    const std::string prefix = staging_prefix(final_path);
    const std::string folder = folder_of(final_path);
    std::vector<folder_entry> entries;
    if (!list_folder(folder.empty() ? "." : folder.c_str(), &entries)) return;
    for (const folder_entry& entry : entries) {
        if (entry.info.is_folder) continue;
        const auto owner = static_cast<DWORD>(staging::owner_of(entry.name, prefix, 0xFFFFFFFFu));
        if (owner != 0 && !process_alive(owner)) remove_if_unused(folder + entry.name);
    }
}

bool set_attributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO info{};
    info.FileAttributes = attributes; // zero times leave the times unchanged
    return SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != 0;
}

// Moves the finished file over the destination. MoveFileExW refuses while
// the destination is open elsewhere (a reader, or the converter still reading
// its input when input and output are one file). Then the old file is moved
// aside under a hidden name (its readers allow that), the new one moved in,
// and the old one deleted: it vanishes once its last reader closes it. If
// the new file cannot be moved in, the old one goes back.
bool move_into_place(const std::string& temp_path, const std::string& final_path) {
    const std::wstring from = widen(temp_path.c_str());
    const std::wstring to = widen(final_path.c_str());
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
    // Only a file is ever moved aside; a folder in the way stays a refusal.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const std::wstring aside = widen(hidden_name_beside(final_path).c_str());
    if (!MoveFileExW(to.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        MoveFileExW(aside.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    }
    DeleteFileW(aside.c_str());
    return true;
}

// True when something other than a regular file holds the name: a device
// such as NUL or CON, a folder. Links are followed to what they name.
bool holds_non_file(const char* path) {
    const std::wstring wide = widen(path);
    HANDLE h = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular = GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
                         !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    return !regular;
}

} // namespace

bool stage_file(const char* final_path, staged_file* out) {
    *out = staged_file{};
    if (final_path == nullptr || *final_path == '\0') return false;
    if (fs_fault_injected(fs_op::open_write)) return false;
    if (holds_non_file(final_path)) return false; // left untouched
    out->final_path = resolve_destination(final_path);
    remove_abandoned_stagings(out->final_path);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = staging_name(out->final_path);
        const std::wstring wide = widen(name.c_str());
        if (wide.empty()) return false;
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            out->file = reinterpret_cast<file_handle>(file);
            out->temp_path = std::move(name);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

// Windows writes back lazily on its own; the flush before the commit is
// FlushFileBuffers either way.
bool write_staged(staged_file* staged, const void* data, size_t size) {
    if (!write_file(staged->file, data, size)) return false;
    staged->appended += size;
    return true;
}

bool commit_staged_file(staged_file* staged) {
    if (staged->file == kInvalidFile) return false;
    if (fs_fault_injected(fs_op::rename)) {
        discard_staged_file(staged);
        return false;
    }
    HANDLE file = reinterpret_cast<HANDLE>(staged->file);
    const bool ready = FlushFileBuffers(file) && set_attributes(file, FILE_ATTRIBUTE_NORMAL);
    const bool closed = CloseHandle(file) != 0;
    staged->file = kInvalidFile;
    if (!ready || !closed || !move_into_place(staged->temp_path, staged->final_path)) {
        discard_staged_file(staged);
        return false;
    }
    staged->temp_path.clear();
    return true;
}

void discard_staged_file(staged_file* staged) {
    if (staged->file != kInvalidFile) CloseHandle(reinterpret_cast<HANDLE>(staged->file));
    if (!staged->temp_path.empty()) DeleteFileW(widen(staged->temp_path.c_str()).c_str());
    staged->file = kInvalidFile;
    staged->temp_path.clear();
}

} // namespace qor::host
