// dorvane's command line: input, output, then options in any order.
#pragma once

namespace dorvane {

struct options {
    const char* input = nullptr;
    const char* output = nullptr;
    const char* name = nullptr; // derived from the input path when not given
    const char* version = "1.0.0";
    const char* author = "Unknown";
    const char* description = "";
    const char* icon = nullptr;
    const char* category = "Utilities";
    int flags = 0;
};

// False when input and output are missing (the usage text is due).
// Unknown options and value options without a value are skipped silently.
bool parse_command_line(int argc, char** argv, options* out);

// The part of the path after its last '\', else after its last '/', else
// the whole path.
const char* name_from_path(const char* path);

void print_usage(const char* program);

} // namespace dorvane
