// The glyph cache and the glyph-source seam. One lock guards the cache maps
// and every call into the source, since FreeType faces are not thread-safe;
// blending happens outside the lock on the shared, immutable entries.
#include "graphics/glyph_cache.h"

#include "graphics/glyph_source.h"

#include <mutex>
#include <new>
#include <unordered_map>

namespace qor::gfx {
namespace {

// Past this many bitmap bytes the cache starts over rather than growing.
constexpr size_t kCacheByteBudget = 8u << 20;
constexpr size_t kMaxCachedSizes = 64;

constexpr glyph_source kSystemSource{host::glyph_font_metrics, host::glyph_rasterise};

struct glyph_cache_state {
    std::mutex lock;
    const glyph_source* source = &kSystemSource;
    bool enabled = true;
    std::unordered_map<int, host::font_metrics> metrics;
    std::unordered_map<uint64_t, glyph_ref> glyphs;
    size_t glyph_bytes = 0;

    void clear() {
        metrics.clear();
        glyphs.clear();
        glyph_bytes = 0;
    }
};

glyph_cache_state g_glyph_cache;

uint64_t glyph_key(int pixel_size, uint16_t code_unit) {
    return uint64_t{static_cast<uint32_t>(pixel_size)} << 16 | code_unit;
}

glyph_ref rasterise(const glyph_source& source, int pixel_size, uint16_t code_unit) {
    host::glyph_image image;
    const host::glyph_result result = source.rasterise(pixel_size, code_unit, &image);
    auto glyph = std::shared_ptr<cached_glyph>(new (std::nothrow) cached_glyph);
    if (!glyph) return nullptr;
    const size_t w = static_cast<size_t>(std::max(0, image.black_box_x));
    const size_t h = static_cast<size_t>(std::max(0, image.black_box_y));
    const bool complete = static_cast<size_t>(image.stride) >= w &&
                          image.coverage.size() >= static_cast<size_t>(image.stride) * h;
    if (result != host::glyph_result::bitmap || !complete) return glyph;

    glyph->has_bitmap = true;
    glyph->width = static_cast<int32_t>(w);
    glyph->height = static_cast<int32_t>(h);
    glyph->origin_x = image.origin_x;
    glyph->origin_y = image.origin_y;
    glyph->advance = image.cell_inc_x;
    glyph->alpha.resize(w * h);
    for (size_t y = 0; y < h; ++y) {
        for (size_t x = 0; x < w; ++x) {
            const uint32_t v = std::min<uint32_t>(image.coverage[y * image.stride + x], 64);
            glyph->alpha[y * w + x] = static_cast<uint8_t>((v * 255) >> 6);
        }
    }
    return glyph;
}

} // namespace

void set_glyph_source(const glyph_source* source) {
    std::lock_guard<std::mutex> guard(g_glyph_cache.lock);
    g_glyph_cache.source = source ? source : &kSystemSource;
    g_glyph_cache.clear();
}

void set_glyph_cache_enabled(bool enabled) {
    std::lock_guard<std::mutex> guard(g_glyph_cache.lock);
    g_glyph_cache.enabled = enabled;
    g_glyph_cache.clear();
}

bool lookup_font_metrics(int pixel_size, host::font_metrics* out) {
    std::lock_guard<std::mutex> guard(g_glyph_cache.lock);
    auto& cache = g_glyph_cache;
    if (cache.enabled) {
        if (auto it = cache.metrics.find(pixel_size); it != cache.metrics.end()) {
            *out = it->second;
            return true;
        }
    }
    if (!cache.source->font_metrics(pixel_size, out)) return false;
    if (cache.enabled) {
        if (cache.metrics.size() >= kMaxCachedSizes) cache.metrics.clear();
        cache.metrics.emplace(pixel_size, *out);
    }
    return true;
}

glyph_ref lookup_glyph(int pixel_size, uint16_t code_unit) {
    std::lock_guard<std::mutex> guard(g_glyph_cache.lock);
    auto& cache = g_glyph_cache;
    const uint64_t key = glyph_key(pixel_size, code_unit);
    if (cache.enabled) {
        if (auto it = cache.glyphs.find(key); it != cache.glyphs.end()) return it->second;
    }
    glyph_ref glyph = rasterise(*cache.source, pixel_size, code_unit);
    if (!glyph || !cache.enabled) return glyph;
    const size_t bytes = glyph->alpha.size() + sizeof(cached_glyph);
    if (bytes > kCacheByteBudget / 4) return glyph; // too big to keep
    if (cache.glyph_bytes + bytes > kCacheByteBudget) cache.clear();
    cache.glyphs.emplace(key, glyph);
    cache.glyph_bytes += bytes;
    return glyph;
}

} // namespace qor::gfx
