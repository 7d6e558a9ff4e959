// Windows file system backend (wide-character API, paths UTF-8 outside).
#include "host/host_fault.h"
#include "host/host_fs.h"
#include "host/win32/wide.h"

#include <windows.h>

namespace qor::host {

using win32::narrow;
using win32::widen;

namespace {

// FILETIME counts 100 ns units since 1601-01-01.
int64_t filetime_to_unix(const FILETIME& ft) {
    const uint64_t units = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<int64_t>(units / 10000000ULL) - 11644473600LL;
}

path_info info_from(DWORD attributes, DWORD size_high, DWORD size_low, const FILETIME& created,
                    const FILETIME& written) {
    path_info info;
    info.is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.size = (static_cast<uint64_t>(size_high) << 32) | size_low;
    info.modified_unix = filetime_to_unix(written);
    info.created_unix = filetime_to_unix(created);
    return info;
}

HANDLE as_handle(file_handle file) {
    return reinterpret_cast<HANDLE>(file);
}

// Appenders of one file take turns: each holds an exclusive lock on one byte
// far past any data from open to close. Not every Windows file system (nor
// Wine) makes appends through several handles atomic, and lines of two
// writers must never overwrite each other. Readers are not held up: they
// never reach that byte.
OVERLAPPED append_turn_byte() {
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFEu;
    at.OffsetHigh = 0x7FFFFFFFu;
    return at;
}

void take_append_turn(HANDLE file) {
    OVERLAPPED at = append_turn_byte();
    LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at);
}

void end_append_turn(HANDLE file) {
    OVERLAPPED at = append_turn_byte();
    UnlockFileEx(file, 0, 1, 0, &at); // fails harmlessly on files without a turn
}

} // namespace

std::string program_file() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return narrow(buffer);
}

create_result create_folder(const char* path) {
    if (CreateDirectoryW(widen(path).c_str(), nullptr)) return create_result::created;
    return GetLastError() == ERROR_ALREADY_EXISTS ? create_result::exists : create_result::failed;
}

create_result create_new_file(const char* path) {
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS ? create_result::exists : create_result::failed;
    CloseHandle(h);
    return create_result::created;
}

bool remove_folder(const char* path) {
    return RemoveDirectoryW(widen(path).c_str()) != 0;
}

bool remove_file(const char* path) {
    return DeleteFileW(widen(path).c_str()) != 0;
}

bool query_path(const char* path, path_info* out) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    const std::wstring wide = widen(path);
    if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
        return false;
    if (out)
        *out = info_from(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                         data.ftCreationTime, data.ftLastWriteTime);
    return true;
}

bool list_folder(const char* path, std::vector<folder_entry>* out) {
    std::wstring pattern = widen(path);
    if (pattern.empty()) return false;
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    out->clear();
    do {
        folder_entry item;
        item.name = narrow(data.cFileName);
        item.info = info_from(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                              data.ftCreationTime, data.ftLastWriteTime);
        out->push_back(std::move(item));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool current_folder(std::string* out) {
    wchar_t buffer[32768];
    const DWORD n = GetCurrentDirectoryW(32768, buffer);
    if (n == 0 || n >= 32768) return false;
    *out = narrow(buffer);
    return true;
}

bool change_folder(const char* path) {
    return SetCurrentDirectoryW(widen(path).c_str()) != 0;
}

file_handle open_file(const char* path, open_mode mode) {
    if (fs_fault_injected(mode == open_mode::read ? fs_op::open_read : fs_op::open_write))
        return kInvalidFile;
    DWORD access = GENERIC_READ, disposition = OPEN_EXISTING;
    // Like a POSIX descriptor, an open file does not stop others from
    // reading, writing, renaming or replacing it (a package may be rewritten
    // from itself, a log read while it grows).
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (mode) {
    case open_mode::read:
        break;
    case open_mode::write_truncate:
        access = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    case open_mode::append:
        access = FILE_APPEND_DATA;
        disposition = OPEN_ALWAYS;
        break;
    }
    HANDLE h = CreateFileW(widen(path).c_str(), access, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kInvalidFile;
    // Only files on a disk are data: a device (NUL, CON, COM1) or a pipe
    // is never read or written as one.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return kInvalidFile;
    }
    if (mode == open_mode::append) take_append_turn(h);
    return reinterpret_cast<file_handle>(h);
}

int64_t read_file(file_handle file, void* buffer, size_t size) {
    if (fs_fault_injected(fs_op::read)) return -1;
    DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(as_handle(file), buffer, chunk, &got, nullptr)) return -1;
    return got;
}

bool write_file(file_handle file, const void* data, size_t size) {
    if (fs_fault_injected(fs_op::write)) return false;
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD wrote = 0;
        if (!WriteFile(as_handle(file), bytes, chunk, &wrote, nullptr) || wrote == 0) return false;
        bytes += wrote;
        size -= wrote;
    }
    return true;
}

bool seek_file(file_handle file, uint64_t offset) {
    if (fs_fault_injected(fs_op::seek)) return false;
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(as_handle(file), to, nullptr, FILE_BEGIN) != 0;
}

bool file_size(file_handle file, uint64_t* size) {
    LARGE_INTEGER n;
    if (!GetFileSizeEx(as_handle(file), &n)) return false;
    *size = static_cast<uint64_t>(n.QuadPart);
    return true;
}

bool close_file(file_handle file) {
    end_append_turn(as_handle(file));
    return CloseHandle(as_handle(file)) != 0;
}

} // namespace qor::host
