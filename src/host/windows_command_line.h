// Splitting a Windows parameter text into arguments, for hosts that start
// Windows programs with an argument vector (wine on Linux): backslashes and
// double quotes follow the rules of the Microsoft C runtime, so the program
// sees the same arguments it would see on Windows.
#pragma once

#include <string>
#include <vector>

namespace qor::host {

std::vector<std::string> split_windows_command_line(const char* text);

} // namespace qor::host
