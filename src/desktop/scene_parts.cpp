// Describes the frame as parts with areas and FNV-1a signatures of what
// their pixels depend on; equal signatures mean equal pixels.
#include "desktop/scene_parts.h"

#include <qoros/qor_terminal.h>

#include "desktop/desktop_icons.h"
#include "desktop/desktop_render.h"
#include "desktop/editor.h"
#include "desktop/explorer.h"
#include "desktop/frame_inputs.h"
#include "terminal/terminal_layout.h"

#include <cstring>

namespace qor::desktop {

namespace {

// FNV-1a over the values a part's pixels depend on.
class signature {
  public:
    signature& add(const void* bytes, size_t size) {
        const auto* p = static_cast<const unsigned char*>(bytes);
        for (size_t i = 0; i < size; ++i)
            hash_ = (hash_ ^ p[i]) * 0x100000001B3ull;
        return *this;
    }
    signature& number(int64_t value) { return add(&value, sizeof value); }
    // The text and its end, so "ab" + "c" differs from "a" + "bc".
    signature& text(const char* s) { return s ? add(s, std::strlen(s) + 1) : number(-1); }
    uint64_t value() const { return hash_; }

  private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

constexpr qor_rect kNoArea{0, 0, 0, 0};

// The scroll-back and the hint below the input line; the input line itself
// is a part of its own.
void add_terminal(signature& s) {
    s.number(g_term.output_count).number(g_term.input_len == 0);
    for (int i = 0; i < g_term.output_count && i < TERMINAL_OUTPUT_LINES; ++i)
        s.text(g_term.output[i]);
}

scene_part terminal_input_row(const app_window& win) {
    const int top = qor::terminal::input_row_top(&g_term, win.y, win.h);
    signature s;
    s.number(top).text(g_term.input).number(g_term.cursor).text(g_term.cwd);
    return {{win.x + 1, top, win.w - 2, qor::terminal::kInputRowHeight}, s.value()};
}

void add_explorer(signature& s) {
    s.text(g_files.path).text(g_homet_dir).number(g_files.count).number(g_files.selected);
    s.number(g_files.scroll).number(g_files.sidebar_selected);
    for (int i = 0; i < g_files.count && i < kExplorerMaxEntries; ++i) {
        const file_entry& e = g_files.entries[i];
        s.text(e.name).number(static_cast<int64_t>(e.size)).number(e.is_dir);
        s.text(e.type).text(e.modified);
    }
}

void add_editor(signature& s) {
    s.number(g_code.line_count).number(g_code.cursor_row).number(g_code.cursor_col);
    s.number(g_code.scroll);
    for (int i = 0; i < g_code.line_count && i < kEditorMaxLines; ++i)
        s.text(g_code.lines[i]);
}

void add_store(signature& s) {
    s.number(g_frame_inputs.store_count);
    for (const qpa_header& h : g_frame_inputs.store_list)
        s.add(h.name, sizeof h.name)
            .add(h.version, sizeof h.version)
            .add(h.category, sizeof h.category);
}

uint64_t content_signature(const app_window& win) {
    signature s;
    s.number(win.kind);
    switch (win.kind) {
    case WIN_TERMINAL:
        add_terminal(s);
        break;
    case WIN_FILES:
    case WIN_HOMET:
        add_explorer(s);
        break;
    case WIN_CODE_EDITOR:
        add_editor(s);
        break;
    case WIN_APP_STORE:
        add_store(s);
        break;
    case WIN_DISK_MANAGER:
        s.number(g_frame_inputs.m_drive_active);
        break;
    case WIN_BROWSER:
        s.number(g_frame_inputs.browser_installed);
        break;
    default:
        break; // fixed pages
    }
    return s.value();
}

// A window's frame and everything below it that shows through its shadow
// depend on its place in the drawing order, so the place is part of it.
void describe_windows(scene& parts) {
    int place = 0;
    auto describe = [&](int slot) {
        const app_window& win = g_app_wins[slot];
        signature frame;
        frame.number(win.kind).number(win.x).number(win.y).number(win.w).number(win.h);
        frame.text(win.title).number(slot == g_active_win).number(place++);
        scene_part* own = &parts[kScenePartsPerSlot * slot];
        own[0] = {{win.x, win.y, win.w + 3, win.h + 3}, frame.value()};
        own[1] = {{win.x, win.y + kTitleBarHeight, win.w, win.h - kTitleBarHeight},
                  content_signature(win)};
        if (win.kind == WIN_TERMINAL) own[2] = terminal_input_row(win);
    };
    for (int i = 0; i < kAppWindowSlots; ++i) {
        for (int k = 0; k < kScenePartsPerSlot; ++k)
            parts[kScenePartsPerSlot * i + k] = {kNoArea, 0};
        if (i != g_active_win && window_is_shown(i)) describe(i);
    }
    if (window_is_shown(g_active_win)) describe(g_active_win);
}

uint64_t taskbar_signature() {
    signature s;
    s.number(g_start_menu_open).number(g_active_win).number(g_frame_inputs.m_drive_active);
    s.number(g_frame_inputs.clock.hour).number(g_frame_inputs.clock.minute);
    for (const app_window& win : g_app_wins) {
        s.number(win.open).number(win.minimized);
        if (win.open) s.text(win.title);
    }
    return s.value();
}

} // namespace

scene describe_scene() {
    scene parts{};
    describe_windows(parts);
    constexpr int kIcons = kScenePartsPerSlot * kAppWindowSlots;
    // Only the Qorget icon changes its look, under the pointer.
    const desktop_icon& qorget = g_icons[2];
    parts[kIcons] = {{qorget.x, qorget.y, qorget.w, qorget.h},
                     signature().number(g_hovered_icon == qorget.id).value()};
    parts[kIcons + 1] =
        g_start_menu_open ? scene_part{kStartMenuPanel, signature().number(g_hovered_icon).value()}
                          : scene_part{kNoArea, 0};
    parts[kIcons + 2] = {kTaskbarArea, taskbar_signature()};
    return parts;
}

} // namespace qor::desktop
