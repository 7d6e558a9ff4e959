// Where the terminal page puts its input line (the prompt, the edited text
// and the cursor block), for a caller that redraws that row alone.
#pragma once

#include <qoros/qor_terminal.h>

namespace qor::terminal {

// Rows the input line's glyphs and cursor block can touch, from its top.
constexpr int kInputRowHeight = 18;

// Top of the input line on a page drawn at y with height h: below the shown
// scroll-back, but never lower than 20 rows above the page's bottom.
int input_row_top(const terminal_state* t, int y, int h);

} // namespace qor::terminal
