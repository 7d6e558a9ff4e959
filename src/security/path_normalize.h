// Lexical path normalisation, so that a protected folder cannot be reached
// by spelling its path differently ("/usr/../usr/bin", "//usr//bin/",
// "bin/x" from inside /usr).
#pragma once

#include <string>
#include <string_view>

namespace qor::security {

enum class path_style {
    posix,   // '/' only; one root "/"
    windows, // '\' and '/' both separate; roots "C:\" and "\\server\share\"
};

// The style of the host this program runs on.
path_style host_path_style();

// Makes the path absolute against current_folder (itself absolute), unifies
// separators, drops "." segments, lets ".." remove the previous segment
// (staying at the root) and collapses repeated and trailing separators.
// Nothing is looked up on disk: links are not followed. An empty path stays
// empty, since it names no place to resolve.
std::string normalize_path(std::string_view path, std::string_view current_folder,
                           path_style style);

// The same against the process's current folder.
std::string normalize_host_path(std::string_view path);

} // namespace qor::security
