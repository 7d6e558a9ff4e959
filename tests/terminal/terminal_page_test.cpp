// The terminal page: background, scroll-back colours, prompt width, cursor
// block, bottom strip and hint line, drawn with the test glyph source so
// every pixel is known.
#include "terminal_fixture.h"

#include "host/host_fs.h"
#include "support/test_glyphs.h"

#include <cstring>

namespace qor::test {
namespace {

constexpr int kX = 100, kY = 60, kW = 600, kH = 400;
constexpr uint32_t kUnpainted = 0xFF000000; // a new context's pixels
constexpr uint32_t kBackground = 0xFF0A0A0A;
// 0xC800DC00 blended over the background: (src * 200 + old * 55) / 255.
constexpr uint32_t kCursorBlock = 0xFF02AE02;
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

    void render() { terminal_render_page(ctx, &term, kX, kY, kW, kH); }

    uint32_t pixel(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, ctx->framebuffer + y * ctx->pitch + 4 * x, 4);
        return v;
    }

    // The first pixel that is not background in row y, from x0 rightwards.
    uint32_t first_ink(int y, int x0 = kX + 8) const {
        for (int x = x0; x < kX + kW - 1; ++x)
            if (pixel(x, y) != kBackground) return pixel(x, y);
        return kBackground;
    }

    // Left edge of the cursor block on the prompt row at py.
    int cursor_left(int py) const {
        for (int x = kX + 8; x < kX + kW; ++x)
            if (pixel(x, py + 14) == kCursorBlock) return x;
        return -1;
    }

    int prompt_row() const {
        return kY + 30 + 16 * std::min((kH - 36) / 16, static_cast<int>(term.output_count));
    }

    scoped_test_glyphs glyphs;
    qor_context* ctx = nullptr;
};

TEST_F(TerminalPageTest, BackgroundAndBottomStrip) {
    terminal_render_page(ctx, nullptr, kX, kY, kW, kH);
    EXPECT_EQ(pixel(kX + 1, kY + 25), kUnpainted);
    render();
    EXPECT_EQ(pixel(kX + 1, kY + 25), kBackground);
    EXPECT_EQ(pixel(kX + kW - 2, kY + kH - 5), kBackground);
    EXPECT_EQ(pixel(kX, kY + 25), kUnpainted); // the page leaves the frame's outline alone
    EXPECT_EQ(pixel(kX + 1, kY + kH - 4), 0xFF006400u);
    EXPECT_EQ(pixel(kX + kW - 2, kY + kH - 2), 0xFF006400u);
    EXPECT_EQ(pixel(kX + 1, kY + kH - 1), kUnpainted);
}

TEST_F(TerminalPageTest, ScrollBackLinesAreColouredByTheirText) {
    term.output_count = 0;
    for (const char* line : {"=== File (47) ===", "Unknown command: 'x'", "cd: directory not found",
                             "ls: cannot list directory", "QorOS", "Terminal", "plain output"})
        add_output(&term, line);
    render();
    const uint32_t expected[] = {0xFF00C8C8, 0xFF5050FF, 0xFF5050FF, 0xFF5050FF,
                                 0xFFDCDCDC, 0xFFDCDCDC, 0xFF00DC00};
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(first_ink(kY + 30 + 16 * j + 6), expected[j]) << "line " << j;
}

TEST_F(TerminalPageTest, CursorFollowsAPromptOfTheLastFolderName) {
    std::string cwd = "/srv/bootsys/homet";
    for (char& c : cwd)
        if (c == '/') c = qor::host::kPathSeparator;
    std::snprintf(term.cwd, sizeof term.cwd, "%s", cwd.c_str());
    type("ab");
    render();
    const int py = prompt_row();
    const int input_x = kX + 8 + 6 * kLetter + kSpace; // "homet> "
    // Test glyphs are 12 rows high at size 12, so rows py+12.. show the block
    // alone; it spans rows py+2 .. py+15 and 7 columns.
    const int cursor_x = input_x + 2 * kLetter;
    EXPECT_EQ(cursor_left(py), cursor_x);
    EXPECT_EQ(pixel(cursor_x, py + 12), kCursorBlock);
    EXPECT_EQ(pixel(cursor_x + 6, py + 15), kCursorBlock);
    EXPECT_EQ(pixel(cursor_x + 7, py + 15), kBackground);
    EXPECT_EQ(pixel(cursor_x - 1, py + 15), kBackground);
    EXPECT_EQ(pixel(cursor_x, py + 16), kBackground);
    EXPECT_EQ(pixel(kX + 8 + 8 + 1, py + 6), 0xFF00DC00u); // the prompt's 'o'
    EXPECT_EQ(pixel(input_x + 1, py + 6), 0xFFDCDCDCu);    // the input's 'a'
}

TEST_F(TerminalPageTest, PromptAtTheRootShowsTheWholePathAndIsCutAt31Characters) {
    const struct {
        std::string cwd;
        int prompt_width;
    } rows[] = {{"/", 2 * kLetter + kSpace /* "/> " */},
                {"/data/" + std::string(40, 'n'), 31 * kLetter}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cwd);
        std::snprintf(term.cwd, sizeof term.cwd, "%s", row.cwd.c_str());
        render();
        EXPECT_EQ(cursor_left(prompt_row()), kX + 8 + row.prompt_width);
    }
}

// A line wider than the page moves left so the cursor block ends at the right
// margin; the prompt goes out of view first and nothing passes the margins.
TEST_F(TerminalPageTest, LongInputLinesScrollToKeepTheCursorInView) {
    std::snprintf(term.cwd, sizeof term.cwd, "/");
    const int margin_right = kX + kW - 8;
    const struct {
        int typed, moved_left;
        int cursor_x; // expected left edge of the block
        uint32_t ink_at_left;
    } rows[] = {
        {60, 0, kX + 8 + 22 + 60 * kLetter, 0xFF00DC00},    // fits: the prompt shows
        {200, 0, margin_right - 7, 0xFFDCDCDC},             // scrolled: input at the margin
        {200, 190, kX + 8 + 22 + 10 * kLetter, 0xFF00DC00}, // cursor near the start again
    };
    for (const auto& row : rows) {
        term.input_len = term.cursor = 0;
        term.input[0] = '\0';
        type(std::string(static_cast<size_t>(row.typed), 'x').c_str());
        for (int i = 0; i < row.moved_left; ++i)
            key(0x25);
        qor_graphics_clear(ctx, qor_color{0, 0, 0, 255});
        render();
        const int py = prompt_row();
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(cursor_left(py), row.cursor_x);
        EXPECT_EQ(first_ink(py + 6, kX + 8), row.ink_at_left);
        for (int y = py; y < py + 16; ++y) {
            for (int x : {kX + 1, kX + 7, margin_right, kX + kW - 2})
                EXPECT_EQ(pixel(x, y), kBackground) << x << "," << y;
        }
    }
}

TEST_F(TerminalPageTest, FullScrollBackShowsTheNewestLinesAndPinsThePrompt) {
    std::snprintf(term.cwd, sizeof term.cwd, "/");
    run("help");
    ASSERT_EQ(term.output_count, 50);
    std::snprintf(term.output[49], sizeof term.output[49], "=== newest ===");
    std::snprintf(term.output[27], sizeof term.output[27], "=== hidden ===");
    std::snprintf(term.output[28], sizeof term.output[28], "Unknown first shown");
    render();
    // 22 rows fit: lines 28..49.
    EXPECT_EQ(first_ink(kY + 30 + 6), 0xFF5050FFu);
    EXPECT_EQ(first_ink(kY + 30 + 16 * 21 + 6), 0xFF00C8C8u);
    const int py = kY + kH - 20; // the row below the scroll-back would not fit
    const int cursor_x = kX + 8 + 2 * kLetter + kSpace; // after "/> "
    EXPECT_EQ(cursor_left(py), cursor_x);
    EXPECT_EQ(pixel(cursor_x, py + 2), kCursorBlock);
    EXPECT_EQ(pixel(cursor_x, py + 1), kBackground);
    EXPECT_EQ(pixel(kX + 9, py + 18), 0xFF006400u); // strip, no hint over it
}

TEST_F(TerminalPageTest, HintShowsOnlyWithAnEmptyLineAndShortScrollBack) {
    run("clear");
    render();
    int py = prompt_row();
    ASSERT_EQ(py, kY + 30);
    EXPECT_EQ(pixel(kX + 9, py + 18 + 2), 0xFF008C00u); // first glyph of the hint, size 10

    type("x");
    render();
    EXPECT_EQ(pixel(kX + 9, py + 18 + 2), kBackground);
}

} // namespace
} // namespace qor::test
