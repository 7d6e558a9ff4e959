// Two threads drawing text on their own contexts at once share the glyph
// cache and the FreeType face; each must get exactly the single-threaded image.
#include "canvas.h"
#include "graphics/glyph_source.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using qor::test::canvas;
using qor::test::rgba;

namespace {

const char* const kLines[] = {"QorOS \xE6\x96\x87\xE4\xBB\xB6 explorer",
                              "\xE7\xBB\x88\xE7\xAB\xAF 42 "
                              "terminal \xE4\xB8\xAD\xE6\x96\x87",
                              "About \xE5\x85\xB3\xE4\xBA\x8E"};

std::vector<uint32_t> draw_page(int variant) {
    canvas c(320, 200);
    int y = 0;
    for (int size : {10, 11, 12, 14, 16, 18, 24}) {
        for (const char* line : kLines) {
            qor_graphics_draw_text(c.ctx, line, {variant * 3, y}, rgba(0xFFE0E0E0), size);
            y = (y + size + 3) % 180;
        }
    }
    return c.pixels();
}

} // namespace

TEST(TextThreads, TwoContextsAtOnceMatchTheSequentialImages) {
    qor::gfx::set_glyph_cache_enabled(false);
    const std::vector<uint32_t> expected[2] = {draw_page(0), draw_page(1)};
    for (bool cached : {false, true}) {
        qor::gfx::set_glyph_cache_enabled(cached);
        std::vector<uint32_t> got[2];
        std::thread workers[2];
        for (int t = 0; t < 2; ++t) {
            workers[t] = std::thread([t, &got] {
                for (int round = 0; round < 3; ++round)
                    got[t] = draw_page(t);
            });
        }
        for (auto& w : workers)
            w.join();
        EXPECT_EQ(got[0], expected[0]) << cached;
        EXPECT_EQ(got[1], expected[1]) << cached;
    }
}
