// Rendering contexts: each owns one opaque 32-bit framebuffer and the clip
// box that limits drawing into it.
#include <qoros/qor_graphics.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool g_gfx_initialized = false;
int g_context_count = 0;

void ensure_initialized() {
    if (!g_gfx_initialized) {
        g_gfx_initialized = true;
        g_context_count = 0;
    }
}

int32_t clamp(int64_t v, int32_t low, int32_t high) {
    return static_cast<int32_t>(v < low ? low : (v > high ? high : v));
}

void clip_to_whole_framebuffer(qor_context* ctx) {
    ctx->clip_left = 0;
    ctx->clip_top = 0;
    ctx->clip_right = ctx->width;
    ctx->clip_bottom = ctx->height;
}

} // namespace

extern "C" int qor_graphics_init(void) {
    ensure_initialized();
    return QOR_OK;
}

extern "C" qor_context* qor_graphics_create_context(int width, int height) {
    ensure_initialized();
    if (width <= 0 || height <= 0) return nullptr;

    auto* ctx = static_cast<qor_context*>(std::calloc(1, sizeof(qor_context)));
    if (!ctx) return nullptr;
    ctx->width = width;
    ctx->height = height;
    ctx->pitch = static_cast<int64_t>(width) * 4;
    ctx->valid = 1;
    clip_to_whole_framebuffer(ctx);

    // Unsigned 64-bit: the largest width * 4 * height still fits. No object
    // may be larger than PTRDIFF_MAX, so such sizes are refused before asking.
    const uint64_t bytes = static_cast<uint64_t>(ctx->pitch) * static_cast<uint64_t>(height);
    if (bytes > static_cast<uint64_t>(PTRDIFF_MAX)) {
        std::free(ctx);
        return nullptr;
    }
    ctx->framebuffer = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
    if (!ctx->framebuffer) {
        std::free(ctx);
        return nullptr;
    }
    for (uint64_t i = 3; i < bytes; i += 4)
        ctx->framebuffer[i] = 255;

    ++g_context_count;
    return ctx;
}

extern "C" void qor_graphics_destroy_context(qor_context* ctx) {
    if (!ctx) return;
    std::free(ctx->framebuffer);
    ctx->framebuffer = nullptr;
    ctx->valid = 0;
    std::free(ctx);
    if (g_context_count > 0) --g_context_count;
}

extern "C" uint8_t* qor_graphics_get_framebuffer(qor_context* ctx) {
    return ctx ? ctx->framebuffer : nullptr;
}

extern "C" int qor_graphics_get_width(qor_context* ctx) {
    return ctx ? ctx->width : 0;
}

extern "C" int qor_graphics_get_height(qor_context* ctx) {
    return ctx ? ctx->height : 0;
}

extern "C" int qor_graphics_present(qor_context* ctx) {
    return (ctx && ctx->valid) ? QOR_OK : QOR_ERR_GRAPHICS;
}

extern "C" int qor_graphics_set_clip(qor_context* ctx, const qor_rect* clip, qor_rect* previous) {
    if (!ctx || !ctx->valid) return QOR_ERR_GRAPHICS;
    if (previous) {
        *previous = {ctx->clip_left, ctx->clip_top, ctx->clip_right - ctx->clip_left,
                     ctx->clip_bottom - ctx->clip_top};
    }
    if (!clip) {
        clip_to_whole_framebuffer(ctx);
        return QOR_OK;
    }
    ctx->clip_left = clamp(clip->x, 0, ctx->width);
    ctx->clip_top = clamp(clip->y, 0, ctx->height);
    // An empty or inverted rectangle leaves an empty box (right = left).
    ctx->clip_right = clamp(int64_t{clip->x} + clip->w, ctx->clip_left, ctx->width);
    ctx->clip_bottom = clamp(int64_t{clip->y} + clip->h, ctx->clip_top, ctx->height);
    return QOR_OK;
}

extern "C" int qor_graphics_get_context_count(void) {
    return g_context_count;
}
