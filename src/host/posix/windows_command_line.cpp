#include "host/windows_command_line.h"

namespace qor::host {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// Handles a run of backslashes at `p`: 2n before a quote give n and leave
// the quote to act; 2n+1 give n and a literal quote; elsewhere they are
// literal. Returns the position after what was consumed.
const char* take_backslashes(const char* p, std::string* arg) {
    size_t count = 0;
    while (p[count] == '\\')
        ++count;
    if (p[count] != '"') {
        arg->append(count, '\\');
        return p + count;
    }
    arg->append(count / 2, '\\');
    if (count % 2 == 0) return p + count;
    arg->push_back('"');
    return p + count + 1;
}

} // namespace

std::vector<std::string> split_windows_command_line(const char* text) {
    std::vector<std::string> args;
    if (text == nullptr) return args;
    const char* p = text;
    for (;;) {
        while (is_blank(*p))
            ++p;
        if (*p == '\0') return args;
        std::string arg;
        bool quoted = false;
        while (*p != '\0' && (quoted || !is_blank(*p))) {
            if (*p == '\\') {
                p = take_backslashes(p, &arg);
            } else if (*p == '"') {
                // Inside quotes a doubled quote is one literal quote.
                if (quoted && p[1] == '"') {
                    arg.push_back('"');
                    p += 2;
                } else {
                    quoted = !quoted;
                    ++p;
                }
            } else {
                arg.push_back(*p++);
            }
        }
        args.push_back(std::move(arg));
    }
}

} // namespace qor::host
