// The look the fixed text pages share: the colours their texts are drawn in
// and the header block (title, optional status line, dashed rule) that opens
// each of them, so the pages cannot drift apart.
#pragma once

#include <cstdint>

namespace qor::desktop {

inline constexpr uint32_t kInk = 0xFF1E1414;
inline constexpr uint32_t kAccent = 0xFFB46400;
inline constexpr uint32_t kMutedText = 0xFF787878;
inline constexpr uint32_t kLinkBlue = 0xFF1478FF;

// Draws the page title 32 pixels below the window's top edge at text column
// x, then the status line (when given) and the dashed rule under them.
void paint_page_header(int x, int top, const char* title, const char* status_line = nullptr);

} // namespace qor::desktop
