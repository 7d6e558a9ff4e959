// Line editing of the terminal: character insertion, cursor keys and
// browsing of the submitted-line history.
#include "qoros/qor_terminal.h"

#include "host/host_keys.h"

#include <cstring>

namespace {

using namespace qor::host::keys;

// The length the editing rules work with: a corrupt negative length counts as
// an empty line.
int usable_length(const terminal_state* t) {
    return t->input_len < 0 ? 0 : t->input_len;
}

void sync_length(terminal_state* t) {
    t->input[TERMINAL_LINE_SIZE - 1] = '\0';
    t->input_len = static_cast<int32_t>(std::strlen(t->input));
}

// Shows a history entry (or nothing) as the line being edited, cursor at its end.
void load_line(terminal_state* t, const char* text) {
    const size_t n = strnlen(text, TERMINAL_LINE_SIZE - 1);
    std::memmove(t->input, text, n);
    t->input[n] = '\0';
    sync_length(t);
    t->cursor = t->input_len;
}

bool delete_before_cursor(terminal_state* t) {
    if (t->cursor <= 0) return false;
    // A cursor left beyond the text (possible only through direct edits of the
    // record) deletes the last character instead of reading past the line.
    const int n = usable_length(t);
    if (t->cursor > n) t->cursor = n;
    if (t->cursor == 0) return false;
    std::memmove(t->input + t->cursor - 1, t->input + t->cursor,
                 static_cast<size_t>(n - t->cursor + 1));
    --t->cursor;
    sync_length(t);
    return true;
}

void finish_line(terminal_state* t) {
    terminal_execute(t);
    t->input[0] = '\0';
    t->input_len = 0;
    t->history_index = -1;
    t->cursor = 0;
}

bool history_older(terminal_state* t) {
    if (t->history_count <= 0) return false;
    if (t->history_index == -1) {
        t->history_index = t->history_count - 1;
    } else if (t->history_index > 0) {
        --t->history_index;
    }
    load_line(t, t->history[t->history_index]);
    return true;
}

bool history_newer(terminal_state* t) {
    if (t->history_count <= 0 || t->history_index == -1) return false;
    if (t->history_index < t->history_count - 1) {
        ++t->history_index;
        load_line(t, t->history[t->history_index]);
    } else {
        t->history_index = -1;
        load_line(t, "");
    }
    return true;
}

bool apply_key(terminal_state* t, unsigned key) {
    switch (key) {
    case kKeyBackspace:
        return delete_before_cursor(t);
    case kKeyEnter:
        finish_line(t);
        return true;
    case kKeyEnd:
        t->cursor = usable_length(t);
        return true;
    case kKeyHome:
        t->cursor = 0;
        return true;
    case kKeyLeft:
        if (t->cursor <= 0) return false;
        --t->cursor;
        return true;
    case kKeyUp:
        return history_older(t);
    case kKeyRight:
        if (t->cursor >= usable_length(t)) return false;
        ++t->cursor;
        return true;
    case kKeyDown:
        return history_newer(t);
    default:
        return false;
    }
}

} // namespace

extern "C" void terminal_process_char(terminal_state* t, int ch) {
    if (!t) return;
    const int n = usable_length(t);
    if (n > TERMINAL_LINE_SIZE - 2) return;
    if (t->cursor > n) t->cursor = n;
    if (t->cursor < 0) t->cursor = 0;
    std::memmove(t->input + t->cursor + 1, t->input + t->cursor,
                 static_cast<size_t>(n - t->cursor + 1));
    t->input[t->cursor] = static_cast<char>(ch);
    ++t->cursor;
    sync_length(t);
}

extern "C" void terminal_process_key(terminal_state* t, unsigned key, int* changed) {
    if (changed) *changed = 0;
    if (!t) return;
    if (apply_key(t, key) && changed) *changed = 1;
}
