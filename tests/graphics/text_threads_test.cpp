// Two threads drawing text on their own contexts at once share the glyph
// cache and the FreeType face; with the cache off and on, each must get
// exactly the image drawn on one thread without the cache.
// Contexts are created and destroyed on the main thread, as the engine's
// context table expects; only drawing runs in parallel.
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

void draw_page(canvas& c, int variant) {
    qor_graphics_clear(c.ctx, rgba(0xFF000000));
    int y = 0;
    for (int size : {10, 11, 12, 14, 16, 18, 24}) {
        for (const char* line : kLines) {
            qor_graphics_draw_text(c.ctx, line, {variant * 3, y}, rgba(0xFFE0E0E0), size);
            y = (y + size + 3) % 180;
        }
    }
}

} // namespace

TEST(TextThreads, TwoContextsAtOnceMatchTheSequentialImages) {
    canvas first(320, 200), second(320, 200);
    canvas* pages[2] = {&first, &second};
    qor::gfx::set_glyph_cache_enabled(false);
    std::vector<uint32_t> expected[2];
    for (int t = 0; t < 2; ++t) {
        draw_page(*pages[t], t);
        expected[t] = pages[t]->pixels();
    }
    for (bool cached : {false, true}) {
        qor::gfx::set_glyph_cache_enabled(cached);
        std::thread workers[2];
        for (int t = 0; t < 2; ++t) {
            workers[t] = std::thread([t, &pages] {
                for (int round = 0; round < 3; ++round)
                    draw_page(*pages[t], t);
            });
        }
        for (auto& w : workers)
            w.join();
        EXPECT_EQ(first.pixels(), expected[0]) << cached;
        EXPECT_EQ(second.pixels(), expected[1]) << cached;
    }
    qor::gfx::set_glyph_cache_enabled(true);
}
