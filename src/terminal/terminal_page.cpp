// The terminal page: the scroll-back with colours picked from the line's
// text, the prompt with the edited line, the cursor block and the hint.
#include "qoros/qor_terminal.h"

#include "host/host_fs.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kRowHeight = 16;
// The page assumes every character of size 12 advances 7 pixels.
constexpr int kCharAdvance = 7;
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

} // namespace

extern "C" void terminal_render_page(qor_context* ctx, const terminal_state* t, int x, int y, int w,
                                     int h) {
    if (!t) return;
    fill(ctx, x + 1, y + 25, w - 2, h - 26, 0xFF0A0A0A);

    const int visible = (h - 36) / kRowHeight;
    const int first = visible < t->output_count ? t->output_count - visible : 0;
    if (first < t->output_count && h > 51) {
        for (int j = 0; first + j < t->output_count && j < visible; ++j) {
            const char* line = t->output[first + j];
            text(ctx, line, x + 8, y + 30 + kRowHeight * j, line_colour(line), 12);
        }
    }

    int py = y + 30 + kRowHeight * std::min(visible, t->output_count);
    if (py >= y + h - 19) py = y + h - 20;

    // The prompt shows at most 31 bytes, like its fixed field.
    std::string prompt = std::string(prompt_folder(t->cwd)) + "> ";
    if (prompt.size() > kPromptMax) prompt.resize(kPromptMax);
    text(ctx, prompt.c_str(), x + 8, py, 0xFF00DC00, 12);
    const int input_x = x + 8 + kCharAdvance * static_cast<int>(prompt.size());
    text(ctx, t->input, input_x, py, 0xFFDCDCDC, 12);
    fill(ctx, input_x + kCharAdvance * t->cursor, py + 2, kCharAdvance, 14, 0xC800DC00);

    fill(ctx, x + 1, y + h - 4, w - 2, 3, 0xFF006400);
    if (t->input_len == 0 && t->output_count <= 5)
        text(ctx, "Type 'help' for command list, 'ver' for version", x + 8, py + 18, 0xFF008C00,
             10);
}
