// The header block of the fixed text pages. A status line pushes the rule
// down by the height of one line, so the text under the rule starts lower.
#include "desktop/desktop_paint.h"
#include "desktop/page_style.h"

namespace qor::desktop {

namespace {
constexpr const char* kRule = "--------------------------------";
constexpr int kTitleDy = 32;
constexpr int kStatusDy = 56;
constexpr int kRuleDy = 54;
constexpr int kRuleBelowStatusDy = 76;
} // namespace

void paint_page_header(int x, int top, const char* title, const char* status_line) {
    paint_text(title, x, top + kTitleDy, kInk, 14);
    if (status_line) paint_text(status_line, x, top + kStatusDy, kAccent, 12);
    paint_text(kRule, x, top + (status_line ? kRuleBelowStatusDy : kRuleDy), kInk, 12);
}

} // namespace qor::desktop
