// Running a submitted line: splitting it into command word and argument
// text, recording it in the history and dispatching the command.
#include "terminal/terminal_builtins.h"

#include <cstdio>
#include <cstring>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

const char* skip_blanks(const char* s) {
    while (is_blank(*s))
        ++s;
    return s;
}

void copy_line(char* dst, const char* src) {
    const size_t n = strnlen(src, TERMINAL_LINE_SIZE - 1);
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}

// Stores the line unless it repeats the newest entry; a full history drops
// its oldest entry first.
void record_history(terminal_state* t, const char* line) {
    t->history_index = -1;
    if (t->history_count > 0 && std::strcmp(line, t->history[t->history_count - 1]) == 0) return;
    if (t->history_count >= TERMINAL_HISTORY_LINES) {
        std::memmove(t->history[0], t->history[1],
                     sizeof t->history[0] * (TERMINAL_HISTORY_LINES - 1));
        t->history_count = TERMINAL_HISTORY_LINES - 1;
    }
    copy_line(t->history[t->history_count], line);
    ++t->history_count;
}

bool in_command_table(const char* word) {
    const int count = terminal_get_command_count();
    for (int i = 0; i < count; ++i) {
        const char* name = terminal_get_cmd_name(i);
        if (name && qor::terminal::equals_ignoring_case(name, word)) return true;
    }
    return false;
}

void run_command(terminal_state* t, const char* word, const char* args) {
    if (qor::terminal::run_builtin(t, word, args)) return;
    char line[TERMINAL_LINE_SIZE];
    const char* format = in_command_table(word) ? "Command '%s' executed" : "Unknown command: '%s'";
    std::snprintf(line, sizeof line, format, word);
    add_output(t, line);
}

} // namespace

extern "C" void terminal_execute(terminal_state* t) {
    if (!t) return;
    char line[TERMINAL_LINE_SIZE];
    copy_line(line, t->input);
    char* word = const_cast<char*>(skip_blanks(line));
    if (*word == '\0') return;

    char* end = word;
    while (*end && !is_blank(*end))
        ++end;
    const char* args = end;
    if (*end) {
        *end = '\0';
        args = skip_blanks(end + 1);
    }

    record_history(t, skip_blanks(t->input));
    run_command(t, word, args);
}

extern "C" const char* terminal_get_output(const terminal_state* t) {
    if (!t || t->output_count <= 0) return "";
    const int newest =
        t->output_count > TERMINAL_OUTPUT_LINES ? TERMINAL_OUTPUT_LINES - 1 : t->output_count - 1;
    return t->output[newest];
}
