// The terminal's process-wide state: start-up and the scroll-back.
#include <qoros/qor_terminal.h>

#include "host/host_fs.h"
#include "terminal/terminal_folder.h"

#include <cstring>
#include <string>

terminal_state g_term;
bool g_term_init = false;

namespace {

constexpr const char* kWelcomeLines[] = {
    "============================================",
    "  QorOS v7.0.0 Terminal",
    "  Vuredivaz Uvodadov UZ",
    "  Type 'help' for a list of commands.",
    "============================================",
};

// Copies at most size - 1 bytes and always terminates.
void copy_bounded(char* dest, size_t size, const char* text) {
    std::strncpy(dest, text, size - 1);
    dest[size - 1] = '\0';
}

// A start folder whose whole name does not fit cwd counts as none: storing
// it cut would show and list a different folder.
bool fits_cwd(const terminal_state* term, const char* folder) {
    return std::strlen(folder) < sizeof term->cwd;
}

// Keeps the process's folder as cwd. When that folder cannot be named in cwd
// the terminal moves to the root instead and says so, so that cwd and the
// process's folder always agree.
void start_in_process_folder(terminal_state* term) {
    if (qor::terminal::adopt_process_folder(term)) return;
    qor::host::change_folder("/");
    qor::terminal::adopt_process_folder(term);
    const std::string notice =
        std::string("Current folder cannot be used; terminal moved to ") + term->cwd;
    add_output(term, notice.c_str());
}

} // namespace

extern "C" void terminal_init(terminal_state* term, const char* start_dir) {
    if (!term) return;
    std::memset(term, 0, sizeof *term);

    if (start_dir && *start_dir && fits_cwd(term, start_dir)) {
        copy_bounded(term->cwd, sizeof term->cwd, start_dir);
        // The folder may be gone; the terminal still starts and shows it.
        qor::host::change_folder(term->cwd);
    } else {
        start_in_process_folder(term);
    }

    term->history_index = -1;
    for (const char* line : kWelcomeLines)
        add_output(term, line);
}

extern "C" void add_output(terminal_state* term, const char* line) {
    if (!term || !line) return;
    // Cut first: the line may live in the scroll-back that is about to move.
    char cut[TERMINAL_LINE_SIZE];
    copy_bounded(cut, sizeof cut, line);

    if (term->output_count < 0) term->output_count = 0;
    if (term->output_count >= TERMINAL_OUTPUT_LINES) {
        std::memmove(term->output[0], term->output[1],
                     sizeof term->output[0] * (TERMINAL_OUTPUT_LINES - 1));
        term->output_count = TERMINAL_OUTPUT_LINES - 1;
    }
    std::memcpy(term->output[term->output_count], cut, sizeof cut);
    ++term->output_count;
}
