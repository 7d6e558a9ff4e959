// Per-user folders on Windows. %TEMP% is already the user's own, private and
// lasting, so it serves as is; folders QorOS makes in it are still checked
// to be real folders and not links (reparse points) before use. bootsys
// stays beside the program.
#include "host/host_fs.h"
#include "host/host_private_folders.h"
#include "host/win32/wide.h"

#include <windows.h>

namespace qor::host {

folder_state make_private_folder(const char* path) {
    const std::wstring wide = win32::widen(path);
    if (!CreateDirectoryW(wide.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return folder_state::cannot_create;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return folder_state::cannot_create;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return folder_state::link;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return folder_state::not_a_folder;
    return folder_state::usable;
}

namespace {

std::string host_temp_path() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return win32::narrow(buffer);
}

} // namespace

user_folder private_temp_folder() {
    std::string path = host_temp_path();
    // The place Windows itself would use when no temporary path is set.
    if (path.empty()) path = "C:\\Temp\\QorOS\\";
    return {path, {}, true};
}

std::string temp_folder() {
    return private_temp_folder().path;
}

user_folder bootsys_parent(const std::string& program_folder) {
    return {program_folder + "\\", {}, false};
}

} // namespace qor::host
