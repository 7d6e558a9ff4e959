// The code editor: one in-memory buffer of lines with a cursor, seeded with
// a sample program; typing, splitting and joining lines, cursor keys, and the
// view with line numbers, keyword colours, caret and status bar.
#pragma once

#include <cstdint>

namespace qor::desktop {

constexpr int kEditorMaxLines = 200;
constexpr int kEditorLineSize = 256;

struct code_editor_state {
    char lines[kEditorMaxLines][kEditorLineSize];
    int32_t line_len[kEditorMaxLines];
    int32_t line_count;
    int32_t cursor_row;
    int32_t cursor_col;
    int32_t scroll;
};

extern code_editor_state g_code;
extern bool g_code_init;

// Loads the eight-line sample with the cursor at the start of line 6.
void code_editor_init();
// A key-down (Windows virtual-key code): End, Home, arrows and Delete act.
void code_editor_key(unsigned key);
// A character message: Enter/line feed splits, Backspace joins or deletes,
// printable ASCII is inserted; only the low 8 bits count.
void code_editor_char(int ch);
// Scrolls the stored view of an editor window of height h so the cursor
// line is shown.
void code_editor_follow_cursor(int h);
// Draws the view of the editor window in slot into the desktop context. The
// frame's inputs have loaded the sample and scrolled the view to the cursor.
void render_code_editor(int slot);

} // namespace qor::desktop
