// The "help" listing: a header line, then per category a heading with its
// command count and the names eight to a row, each padded to 12 columns.
#include "terminal/terminal_help.h"

#include <cstdio>
#include <cstring>

namespace qor::terminal {

namespace {

constexpr int kCategoryCount = 9;
constexpr int kNamesPerRow = 8;

int rows_in_category(int category) {
    int count = 0;
    for (int i = 0; i < terminal_get_command_count(); ++i) {
        if (terminal_get_cmd_category(i) == category) ++count;
    }
    return count;
}

// Appends text to row without letting the row grow past the line size.
void append_bounded(char* row, const char* text) {
    const size_t used = std::strlen(row);
    std::strncat(row, text, TERMINAL_LINE_SIZE - 1 - used);
}

void print_category(terminal_state* t, int category) {
    char line[TERMINAL_LINE_SIZE];
    std::snprintf(line, sizeof line, "=== %s (%d) ===", g_category_names[category],
                  rows_in_category(category));
    add_output(t, line);

    char row[TERMINAL_LINE_SIZE] = "";
    int names_in_row = 0;
    for (int i = 0; i < terminal_get_command_count(); ++i) {
        if (terminal_get_cmd_category(i) != category) continue;
        char cell[16];
        std::snprintf(cell, sizeof cell, "%-12s", terminal_get_cmd_name(i));
        append_bounded(row, cell);
        if (++names_in_row == kNamesPerRow) {
            add_output(t, row);
            row[0] = '\0';
            names_in_row = 0;
        }
    }
    if (names_in_row > 0) add_output(t, row);
}

} // namespace

void print_help(terminal_state* t) {
    add_output(t, "QorOS v7.0 - Available commands:");
    for (int category = 0; category < kCategoryCount; ++category)
        print_category(t, category);
}

} // namespace qor::terminal
