// The terminal page beyond what the reviewed frames (tests/desktop/goldens)
// show: which lines share an ink, the prompt at the root and cut to its
// field, and when the hint shows. Drawn with the test glyph source.
#include "terminal_fixture.h"

#include "support/test_glyphs.h"

#include <cstring>

namespace qor::test {
namespace {

constexpr int kX = 100, kY = 60, kW = 600, kH = 400;
// Test glyph advances at size 12: a letter or sign 8 pixels, a space 6.
constexpr int kLetter = 8, kSpace = 6;

class TerminalPageTest : public TerminalTest {
  protected:
    void SetUp() override {
        TerminalTest::SetUp();
        ctx = qor_graphics_create_context(800, 600);
        ASSERT_NE(ctx, nullptr);
    }
    void TearDown() override { qor_graphics_destroy_context(ctx); }

    // Renders and returns the page's background (its empty top-right corner).
    uint32_t render() {
        terminal_render_page(ctx, &term, kX, kY, kW, kH);
        return pixel(kX + kW - 2, kY + 26);
    }
    uint32_t pixel(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, ctx->framebuffer + y * ctx->pitch + 4 * x, 4);
        return v;
    }
    // The first pixel of row y that is not background.
    uint32_t first_ink(int y, uint32_t background) const {
        for (int x = kX + 8; x < kX + kW - 1; ++x)
            if (pixel(x, y) != background) return pixel(x, y);
        return background;
    }
    // Left edge of the cursor block: the first inked pixel below the glyphs.
    int cursor_left(uint32_t background) const {
        const int py = kY + 30 + 16 * term.output_count;
        for (int x = kX + 8; x < kX + kW; ++x)
            if (pixel(x, py + 14) != background) return x;
        return -1;
    }

    scoped_test_glyphs glyphs;
    qor_context* ctx = nullptr;
};

TEST_F(TerminalPageTest, LinesShareAnInkByWhatTheySay) {
    const struct {
        const char* line;
        int group; // lines of one group share an ink; groups differ
    } rows[] = {{"=== File (47) ===", 0},
                {"=== Unknown ===", 0},
                {"Unknown command: 'x'", 1},
                {"cd: directory not found", 1},
                {"ls: cannot list", 1},
                {"QorOS", 2},
                {"Terminal", 2},
                {"plain output", 3}};
    term.output_count = 0;
    for (const auto& row : rows)
        add_output(&term, row.line);
    const uint32_t background = render();
    uint32_t ink[4] = {};
    for (size_t j = 0; j < std::size(rows); ++j) {
        const uint32_t got = first_ink(kY + 30 + 16 * static_cast<int>(j) + 6, background);
        if (!ink[rows[j].group]) ink[rows[j].group] = got;
        EXPECT_EQ(got, ink[rows[j].group]) << rows[j].line;
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_NE(ink[a], ink[b]) << a << " " << b;
    EXPECT_NE(ink[3], background);
}

TEST_F(TerminalPageTest, PromptShowsTheLastFolderNameTheRootWholeAndAtMost31Characters) {
    const struct {
        std::string cwd;
        int prompt_width;
    } rows[] = {{"/", 2 * kLetter + kSpace /* "/> " */},
                {"/srv/homet", 6 * kLetter + kSpace},
                {"/data/" + std::string(40, 'n'), 31 * kLetter}};
    term.output_count = 0;
    for (const auto& row : rows) {
        std::string cwd = row.cwd;
        for (char& c : cwd)
            if (c == '/') c = host::kPathSeparator;
        std::snprintf(term.cwd, sizeof term.cwd, "%s", cwd.c_str());
        EXPECT_EQ(cursor_left(render()), kX + 8 + row.prompt_width) << row.cwd;
    }
}

TEST_F(TerminalPageTest, HintShowsOnlyWithAnEmptyLineAndAtMostFiveLines) {
    const int hint_row = kY + 30 + 16 * 5 + 18 + 2;
    EXPECT_NE(first_ink(hint_row, render()), render()); // the welcome: five lines
    type("x");
    EXPECT_EQ(first_ink(hint_row, render()), render());
    key(kKeyBackspace);
    add_output(&term, "sixth");
    EXPECT_EQ(first_ink(hint_row + 16, render()), render());

    qor_graphics_clear(ctx, qor_color{1, 2, 3, 255});
    const auto before = std::vector<uint8_t>(ctx->framebuffer, ctx->framebuffer + 800 * 600 * 4);
    terminal_render_page(ctx, nullptr, kX, kY, kW, kH);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), ctx->framebuffer));
}

} // namespace
} // namespace qor::test
