// Starting things through the host's shell, without waiting for them. The
// desktop opens documents; the package runner starts extracted Windows
// programs (on Linux through wine found on PATH).
#pragma once

namespace qor::host {

// Opens a document or folder with the user's default application.
bool shell_open_document(const char* path);

// Starts a Windows program file with a parameter text that follows the
// Windows command-line rules (absent: none), in `working_folder`. True once
// the program has started; nobody waits for it and it leaves no zombie.
bool shell_start_program(const char* program, const char* parameters, const char* working_folder);

// Test seam: replaces both operations; null restores the host's own.
struct shell_backend {
    bool (*open_document)(const char* path);
    bool (*start_program)(const char* program, const char* parameters, const char* working_folder);
};
void set_shell_backend(const shell_backend* backend);

} // namespace qor::host
