// Arbitrary parameter texts split by the Windows command-line rules.
#include "host/windows_command_line.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size); // stops at a NUL
    size_t total = 0;
    for (const auto& arg : qor::host::split_windows_command_line(text.c_str()))
        total += arg.size();
    // Arguments never hold more bytes than the text they came from.
    if (total > text.size()) __builtin_trap();
    return 0;
}
