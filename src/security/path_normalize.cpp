#include "security/path_normalize.h"

#include "host/host_fs.h"

#include <vector>

namespace qor::security {

namespace {

bool is_separator(char c, path_style style) {
    return c == '/' || (style == path_style::windows && c == '\\');
}

char separator_of(path_style style) {
    return style == path_style::windows ? '\\' : '/';
}

bool is_drive_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool has_drive(std::string_view path) {
    return path.size() >= 2 && is_drive_letter(path[0]) && path[1] == ':';
}

// A path split into its root (with its closing separator, empty when the
// path is relative) and the text after it.
struct rooted {
    std::string root;
    std::string_view rest;
    bool drive_relative = false; // "C:x": relative to the current folder of drive C
    bool current_drive = false;  // "\x": the root of the current folder's drive
};

rooted split_root(std::string_view path, path_style style) {
    rooted out;
    const char sep = separator_of(style);
    if (style == path_style::posix) {
        if (!path.empty() && path[0] == '/') out.root = "/";
        out.rest = out.root.empty() ? path : path.substr(1);
        return out;
    }
    if (has_drive(path)) {
        out.root.assign(path.substr(0, 2));
        out.root += sep;
        const bool absolute = path.size() > 2 && is_separator(path[2], style);
        out.drive_relative = !absolute;
        out.rest = path.substr(absolute ? 3 : 2);
        return out;
    }
    if (path.size() >= 2 && is_separator(path[0], style) && is_separator(path[1], style)) {
        // "\\server\share\rest": the share is the root; ".." cannot leave it.
        std::string_view tail = path.substr(2);
        std::string root(2, sep);
        for (int part = 0; part < 2; ++part) {
            while (!tail.empty() && is_separator(tail[0], style))
                tail.remove_prefix(1);
            if (tail.empty()) break;
            size_t end = 0;
            while (end < tail.size() && !is_separator(tail[end], style))
                ++end;
            root.append(tail.substr(0, end));
            root += sep;
            tail.remove_prefix(end);
        }
        out.root = std::move(root);
        out.rest = tail;
        return out;
    }
    if (!path.empty() && is_separator(path[0], style)) {
        out.current_drive = true;
        out.rest = path.substr(1);
        return out;
    }
    out.rest = path;
    return out;
}

void push_segments(std::string_view text, path_style style,
                   std::vector<std::string_view>* segments) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && !is_separator(text[end], style))
            ++end;
        const std::string_view segment = text.substr(start, end - start);
        if (segment == "..") {
            if (!segments->empty()) segments->pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments->push_back(segment);
        }
        start = end + 1;
    }
}

bool same_drive(std::string_view a, std::string_view b) {
    return has_drive(a) && has_drive(b) && (a[0] | 0x20) == (b[0] | 0x20);
}

} // namespace

path_style host_path_style() {
    return host::kPathSeparator == '\\' ? path_style::windows : path_style::posix;
}

std::string normalize_path(std::string_view path, std::string_view current_folder,
                           path_style style) {
    if (path.empty()) return {};

    rooted given = split_root(path, style);
    std::vector<std::string_view> segments;
    std::string root;

    const bool needs_current = given.root.empty() || given.drive_relative;
    if (needs_current && (!given.drive_relative || same_drive(given.root, current_folder))) {
        // The current folder supplies the root and the leading segments. One
        // that is itself relative (the host could not tell) counts from the
        // top of the tree.
        rooted current = split_root(current_folder, style);
        root = current.root.empty() ? std::string(1, separator_of(style)) : current.root;
        if (!given.current_drive) push_segments(current.rest, style, &segments);
    } else {
        root = given.root;
    }
    push_segments(given.rest, style, &segments);

    std::string out = root;
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) out += separator_of(style);
        out.append(segments[i]);
    }
    return out;
}

std::string normalize_host_path(std::string_view path) {
    std::string current;
    if (!host::current_folder(&current)) current.clear();
    return normalize_path(path, current, host_path_style());
}

} // namespace qor::security
