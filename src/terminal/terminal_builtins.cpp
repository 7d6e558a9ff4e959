// The twelve commands with behaviour of their own: listing and changing the
// directory, echo, clearing, help, version, date, user name and the exit hint.
#include "terminal/terminal_builtins.h"

#include "host/host_fs.h"
#include "host/host_time.h"
#include "terminal/terminal_folder.h"
#include "terminal/terminal_help.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qor::terminal {

namespace {

using builtin_fn = void (*)(terminal_state*, const char* args);

void cmd_ls(terminal_state* t, const char*) {
    std::vector<host::folder_entry> entries;
    if (!host::list_folder(t->cwd, &entries)) {
        add_output(t, "ls: cannot list directory");
        return;
    }
    char line[TERMINAL_LINE_SIZE];
    for (const host::folder_entry& entry : entries) {
        if (entry.name == "." || entry.name == "..") continue;
        std::snprintf(line, sizeof line, entry.info.is_folder ? "  [DIR]  %s" : "  [FILE] %s",
                      entry.name.c_str());
        add_output(t, line);
    }
}

// Makes args the process directory and adopts the result as cwd. A result
// that does not fit cwd would be stored cut and name another folder, so it
// is refused like a missing folder and the previous process directory is
// put back.
bool change_directory(terminal_state* t, const char* args) {
    std::string previous;
    const bool know_previous = host::current_folder(&previous);
    if (!host::change_folder(args)) return false;
    if (adopt_process_folder(t)) return true;
    if (know_previous) host::change_folder(previous.c_str());
    return false;
}

void cmd_cd(terminal_state* t, const char* args) {
    if (*args == '\0') {
        add_output(t, t->cwd);
        return;
    }
    if (!change_directory(t, args)) add_output(t, "cd: directory not found");
}

void cmd_pwd(terminal_state* t, const char*) {
    add_output(t, t->cwd);
}

void cmd_echo(terminal_state* t, const char* args) {
    add_output(t, args);
}

void cmd_clear(terminal_state* t, const char*) {
    t->output_count = 0;
}

void cmd_help(terminal_state* t, const char*) {
    print_help(t);
}

void cmd_ver(terminal_state* t, const char*) {
    add_output(t, "QorOS v7.0.0 (Vuredivaz Uvodadov UZ)");
}

void cmd_date(terminal_state* t, const char*) {
    const host::local_time now = host::now_local();
    char line[32];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d", now.year, now.month, now.day);
    add_output(t, line);
}

void cmd_whoami(terminal_state* t, const char*) {
    add_output(t, "QorOS User");
}

void cmd_exit(terminal_state* t, const char*) {
    add_output(t, "Use ESC to close terminal");
}

struct builtin {
    const char* name;
    builtin_fn run;
};

// Checked in this order; the first name that matches runs.
constexpr builtin kBuiltins[] = {
    {"ls", cmd_ls},       {"cd", cmd_cd},         {"pwd", cmd_pwd},   {"echo", cmd_echo},
    {"clear", cmd_clear}, {"cls", cmd_clear},     {"help", cmd_help}, {"ver", cmd_ver},
    {"date", cmd_date},   {"whoami", cmd_whoami}, {"exit", cmd_exit}, {"quit", cmd_exit},
};

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool equals_ignoring_case(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (ascii_lower(*a) != ascii_lower(*b)) return false;
    }
    return *a == *b;
}

bool run_builtin(terminal_state* t, const char* word, const char* args) {
    for (const builtin& b : kBuiltins) {
        if (equals_ignoring_case(b.name, word)) {
            b.run(t, args);
            return true;
        }
    }
    return false;
}

} // namespace qor::terminal
