// The terminal page: the scroll-back with colours picked from the line's
// text, the prompt with the edited line, the cursor block and the hint. The
// page paints only inside its own background, and the input line scrolls
// sideways so the cursor stays in view.
#include "qoros/qor_terminal.h"

#include "graphics/clip_scope.h"
#include "host/host_fs.h"
#include "terminal/terminal_layout.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kRowHeight = 16;
constexpr int kTextSize = 12;
constexpr int kCursorWidth = 7;
// The input line keeps this much room on either side, like the scroll-back.
constexpr int kLineMargin = 8;
constexpr size_t kPromptMax = 31;

qor_color argb(uint32_t v) {
    return qor_color{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                     static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
}

void fill(qor_context* ctx, int x, int y, int w, int h, uint32_t colour) {
    const qor_rect r{x, y, w, h};
    qor_graphics_fill_rect(ctx, &r, argb(colour));
}

void text(qor_context* ctx, const char* s, int x, int y, uint32_t colour, int size) {
    qor_graphics_draw_text(ctx, s, qor_point{x, y}, argb(colour), size);
}

uint32_t line_colour(const char* line) {
    if (std::strstr(line, "===")) return 0xFF00C8C8;
    if (std::strstr(line, "Unknown") || std::strstr(line, "not found") ||
        std::strstr(line, "cannot"))
        return 0xFF5050FF;
    if (std::strstr(line, "QorOS") || std::strstr(line, "Terminal")) return 0xFFDCDCDC;
    return 0xFF00DC00;
}

// The last path component of cwd, or the whole of cwd when it has no
// separator or ends in one (the root).
const char* prompt_folder(const char* cwd) {
    const char* last = std::strrchr(cwd, qor::host::kPathSeparator);
    if (!last || last[1] == '\0') return cwd;
    return last + 1;
}

int text_width(const std::string& s) {
    return std::max(0, qor_graphics_measure_text(s.c_str(), kTextSize));
}

// The prompt and the edited line at row py, from left to right - the margin.
// Where they do not fit, the line moves left (the prompt goes first) just far
// enough for the cursor block to show at the right edge.
void draw_input_line(qor_context* ctx, const terminal_state* t, const std::string& prompt, int left,
                     int right, int py) {
    const int input_offset = text_width(prompt);
    const int cursor_offset =
        input_offset + text_width(std::string(t->input, static_cast<size_t>(t->cursor)));
    const int shift = std::max(0, cursor_offset + kCursorWidth - (right - left));
    const qor::gfx::clip_scope line(ctx, qor::gfx::column_area(ctx, left, right));
    text(ctx, prompt.c_str(), left - shift, py, 0xFF00DC00, kTextSize);
    text(ctx, t->input, left - shift + input_offset, py, 0xFFDCDCDC, kTextSize);
    fill(ctx, left - shift + cursor_offset, py + 2, kCursorWidth, 14, 0xC800DC00);
}

} // namespace

int qor::terminal::input_row_top(const terminal_state* t, int y, int h) {
    const int visible = (h - 36) / kRowHeight;
    const int py = y + 30 + kRowHeight * std::min(visible, t->output_count);
    return py >= y + h - 19 ? y + h - 20 : py;
}

extern "C" void terminal_render_page(qor_context* ctx, const terminal_state* t, int x, int y, int w,
                                     int h) {
    if (!t) return;
    fill(ctx, x + 1, y + 25, w - 2, h - 26, 0xFF0A0A0A);
    const qor::gfx::clip_scope page(ctx, {x + 1, y + 25, w - 2, h - 26});

    const int visible = (h - 36) / kRowHeight;
    const int first = visible < t->output_count ? t->output_count - visible : 0;
    if (first < t->output_count && h > 51) {
        for (int j = 0; first + j < t->output_count && j < visible; ++j) {
            const char* line = t->output[first + j];
            text(ctx, line, x + kLineMargin, y + 30 + kRowHeight * j, line_colour(line), kTextSize);
        }
    }

    const int py = qor::terminal::input_row_top(t, y, h);

    // The prompt shows at most 31 bytes, like its fixed field.
    std::string prompt = std::string(prompt_folder(t->cwd)) + "> ";
    if (prompt.size() > kPromptMax) prompt.resize(kPromptMax);
    draw_input_line(ctx, t, prompt, x + kLineMargin, x + w - kLineMargin, py);

    fill(ctx, x + 1, y + h - 4, w - 2, 3, 0xFF006400);
    if (t->input_len == 0 && t->output_count <= 5)
        text(ctx, "Type 'help' for command list, 'ver' for version", x + 8, py + 18, 0xFF008C00,
             10);
}
