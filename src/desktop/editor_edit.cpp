// Editing the code editor's buffer. Every limit (255 characters a line, 199
// lines) is enforced by refusing the edit.
#include "desktop/editor.h"
#include "host/host_keys.h"

#include <algorithm>
#include <cstring>

namespace qor::desktop {

code_editor_state g_code;
bool g_code_init = false;

namespace {

constexpr int kMaxLineLength = kEditorLineSize - 1;
// The buffer has 200 slots, but a split is refused from 199 lines on.
constexpr int kMaxLines = kEditorMaxLines - 1;

constexpr const char* kSample[] = {
    "#include <qor_api.h>",     "", "int main() {",  "    qor_system_init();",
    "    qor_graphics_init();", "", "    return 0;", "}",
};

using namespace qor::host::keys;

int& row() {
    return g_code.cursor_row;
}
int& col() {
    return g_code.cursor_col;
}
int len(int i) {
    return g_code.line_len[i];
}

void set_line(int i, const char* text, int length) {
    std::memcpy(g_code.lines[i], text, static_cast<size_t>(length));
    g_code.lines[i][length] = '\0';
    g_code.line_len[i] = length;
}

// Lines first..count-1 move one place down (a gap opens at first).
void open_gap(int first) {
    for (int i = g_code.line_count; i > first; --i)
        set_line(i, g_code.lines[i - 1], len(i - 1));
    ++g_code.line_count;
}

// Line gone is removed; the lines below it move one place up.
void close_gap(int gone) {
    for (int i = gone; i < g_code.line_count - 1; ++i)
        set_line(i, g_code.lines[i + 1], len(i + 1));
    --g_code.line_count;
    g_code.lines[g_code.line_count][0] = '\0';
    g_code.line_len[g_code.line_count] = 0;
}

// Appends line below to line above and removes line below, if the result fits.
bool join_lines(int above) {
    const int below = above + 1;
    if (len(above) + len(below) > kMaxLineLength) return false;
    std::memcpy(g_code.lines[above] + len(above), g_code.lines[below],
                static_cast<size_t>(len(below)) + 1);
    g_code.line_len[above] += len(below);
    close_gap(below);
    return true;
}

void remove_char(int r, int c) {
    std::memmove(g_code.lines[r] + c, g_code.lines[r] + c + 1, static_cast<size_t>(len(r) - c));
    --g_code.line_len[r];
}

void split_line() {
    if (g_code.line_count >= kMaxLines) return;
    const int r = row(), c = std::min(col(), len(r));
    open_gap(r + 1);
    set_line(r + 1, g_code.lines[r] + c, len(r) - c);
    g_code.lines[r][c] = '\0';
    g_code.line_len[r] = c;
    ++row();
    col() = 0;
}

void backspace() {
    if (col() > 0) {
        remove_char(row(), col() - 1);
        --col();
    } else if (row() > 0) {
        const int above = row() - 1, joined_at = len(above);
        if (join_lines(above)) {
            row() = above;
            col() = joined_at;
        }
    }
}

void insert_char(char c) {
    const int r = row();
    if (len(r) >= kMaxLineLength) return;
    std::memmove(g_code.lines[r] + col() + 1, g_code.lines[r] + col(),
                 static_cast<size_t>(len(r) - col()) + 1);
    g_code.lines[r][col()] = c;
    ++g_code.line_len[r];
    ++col();
}

void delete_forward() {
    if (col() < len(row())) {
        remove_char(row(), col());
    } else if (row() < g_code.line_count - 1) {
        join_lines(row());
    }
}

} // namespace

void code_editor_init() {
    g_code = code_editor_state{};
    for (const char* text : kSample) {
        set_line(g_code.line_count, text, static_cast<int>(std::strlen(text)));
        ++g_code.line_count;
    }
    row() = 5;
    col() = 0;
    g_code.scroll = 0;
    g_code_init = true;
}

void code_editor_key(unsigned key) {
    switch (key) {
    case kKeyEnd:
        col() = len(row());
        break;
    case kKeyHome:
        col() = 0;
        break;
    case kKeyLeft:
        if (col() > 0) {
            --col();
        } else if (row() > 0) {
            --row();
            col() = len(row());
        }
        break;
    case kKeyUp:
        if (row() > 0) {
            --row();
            col() = std::min(col(), len(row()));
        }
        break;
    case kKeyRight:
        if (col() < len(row())) {
            ++col();
        } else if (row() < g_code.line_count - 1) {
            ++row();
            col() = 0;
        }
        break;
    case kKeyDown:
        if (row() < g_code.line_count - 1) {
            ++row();
            col() = std::min(col(), len(row()));
        }
        break;
    case kKeyDelete:
        delete_forward();
        break;
    default:
        break;
    }
}

void code_editor_char(int ch) {
    const unsigned char c = static_cast<unsigned char>(ch & 0xFF);
    if (row() < 0 || row() >= kEditorMaxLines || col() < 0 || col() > kMaxLineLength) return;
    if (c == 13 || c == 10) {
        split_line();
    } else if (c == 8) {
        backspace();
    } else if (c >= 0x20 && c <= 0x7E) {
        insert_char(static_cast<char>(c));
    }
}

} // namespace qor::desktop
