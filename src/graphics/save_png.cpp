// Saving a framebuffer as a PNG image: blue-green-red pixels become RGBA with
// alpha 255, and the host writes the file so it appears whole or not at all.
#include "graphics/paint.h"
#include "host/host_png.h"

#include <climits>
#include <memory>
#include <new>

extern "C" int qor_graphics_save_png(qor_context* ctx, const char* path) {
    if (!qor::gfx::context_usable(ctx)) return QOR_ERR_GRAPHICS;
    if (!path || !*path) return QOR_ERR_INVALID_ARG;
    // PNG rows are addressed with 32-bit strides by the encoder.
    if (ctx->pitch > INT_MAX) return QOR_ERR_IO;
    const size_t stride = static_cast<size_t>(ctx->pitch);
    const size_t bytes = stride * static_cast<size_t>(ctx->height);
    std::unique_ptr<uint8_t[]> rgba(new (std::nothrow) uint8_t[bytes]);
    if (!rgba) return QOR_ERR_NO_MEMORY;
    for (size_t i = 0; i < bytes; i += 4) {
        rgba[i + 0] = ctx->framebuffer[i + 2];
        rgba[i + 1] = ctx->framebuffer[i + 1];
        rgba[i + 2] = ctx->framebuffer[i + 0];
        rgba[i + 3] = 255;
    }
    return qor::host::write_png_rgba(path, ctx->width, ctx->height, rgba.get(), stride)
               ? QOR_OK
               : QOR_ERR_IO;
}
