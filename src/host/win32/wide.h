// UTF-8 <-> UTF-16 at the Windows API boundary.
#pragma once

#include <string>

namespace qor::host::win32 {

// Empty on invalid input (an unconvertible path then names nothing).
std::wstring widen(const char* utf8);
std::string narrow(const wchar_t* utf16);

} // namespace qor::host::win32
