/* QorOS graphics engine: rendering contexts and their framebuffers. */
#ifndef QOROS_QOR_GRAPHICS_H
#define QOROS_QOR_GRAPHICS_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* A colour: bytes blue, green, red, alpha; written as 0xAARRGGBB. */
typedef struct qor_color {
    uint8_t b, g, r, a;
} qor_color;

typedef struct qor_point {
    int32_t x, y;
} qor_point;

/* Covers columns x .. x+w-1 and rows y .. y+h-1. */
typedef struct qor_rect {
    int32_t x, y, w, h;
} qor_rect;

/* One 32-bit top-down framebuffer (blue, green, red, alpha per pixel). */
typedef struct qor_context {
    int32_t width;
    int32_t height;
    uint8_t* framebuffer;
    int64_t pitch;
    uint8_t valid;
    /* The part of the framebuffer drawing may touch: columns clip_left ..
     * clip_right-1 of rows clip_top .. clip_bottom-1. The whole framebuffer
     * unless qor_graphics_set_clip narrowed it; read-only for callers. */
    int32_t clip_left, clip_top, clip_right, clip_bottom;
} qor_context;

int qor_graphics_init(void);
qor_context* qor_graphics_create_context(int width, int height);
void qor_graphics_destroy_context(qor_context* ctx);
uint8_t* qor_graphics_get_framebuffer(qor_context* ctx);
int qor_graphics_get_width(qor_context* ctx);
int qor_graphics_get_height(qor_context* ctx);
int qor_graphics_present(qor_context* ctx);

/* Limits every drawing operation (primitives and text) to `clip`, taken in
 * the context's own coordinates and cut to the framebuffer; a null `clip`
 * lifts the limit. Pixels outside it stay untouched, pixels inside get
 * exactly what they would get without a clip (lines, circles and gradients
 * are computed as if unclipped). When `previous` is not null it receives the
 * clip that was in effect (the whole framebuffer when none was set), so a
 * nested clip can be undone by passing it back. QOR_OK, or QOR_ERR_GRAPHICS
 * for a null or invalid context. */
int qor_graphics_set_clip(qor_context* ctx, const qor_rect* clip, qor_rect* previous);

/* Number of live contexts. */
int qor_graphics_get_context_count(void);

/* Drawing primitives. Every operation returns QOR_OK (also when nothing was
 * visible) or QOR_ERR_GRAPHICS for a null or invalid context; a null rectangle
 * pointer gives QOR_ERR_INVALID_ARG. Colours with alpha 255 paint opaquely,
 * 0 paints nothing, anything between blends (src*a + old*(255-a))/255 per
 * channel, truncating. Any coordinate is accepted; what lies outside is
 * clipped. */
int qor_graphics_clear(qor_context* ctx, qor_color c);
int qor_graphics_draw_point(qor_context* ctx, qor_point p, qor_color c);
int qor_graphics_draw_line(qor_context* ctx, qor_point from, qor_point to, qor_color c);
int qor_graphics_draw_rect(qor_context* ctx, const qor_rect* r, qor_color c);
int qor_graphics_fill_rect(qor_context* ctx, const qor_rect* r, qor_color c);
int qor_graphics_draw_circle(qor_context* ctx, qor_point center, int radius, qor_color c);
int qor_graphics_fill_circle(qor_context* ctx, qor_point center, int radius, qor_color c);
int qor_graphics_draw_triangle(qor_context* ctx, qor_point p0, qor_point p1, qor_point p2,
                               qor_color c);
int qor_graphics_fill_triangle(qor_context* ctx, qor_point p0, qor_point p1, qor_point p2,
                               qor_color c);
/* Two-colour gradient over the visible part of r: the first visible row (or
 * column when vertical is false) has exactly `from`. */
int qor_graphics_gradient_fill(qor_context* ctx, const qor_rect* r, qor_color from, qor_color to,
                               bool vertical);

/* Anti-aliased UTF-8 text; pos is the top-left corner of the first line, size
 * the em height in pixels (<= 0 means 12). The colour's alpha is not used.
 * QOR_ERR_GRAPHICS for an invalid context, a null text or no usable font;
 * QOR_ERR_NO_MEMORY when the text cannot be converted for lack of memory. */
int qor_graphics_draw_text(qor_context* ctx, const char* text, qor_point pos, qor_color color,
                           int size);

/* The width in pixels that qor_graphics_draw_text's pen would advance over
 * `text` at `size` (<= 0 means 12): glyph advances, the face's average width
 * for units without a bitmap; for several lines, the widest. QOR_ERR_GRAPHICS
 * for a null text or no usable font, QOR_ERR_NO_MEMORY when the text cannot
 * be converted. */
int qor_graphics_measure_text(const char* text, int size);

/* Writes the framebuffer as an 8-bit RGBA PNG (alpha 255). The file appears
 * under `path` complete or not at all. QOR_OK, QOR_ERR_INVALID_ARG for a
 * null or empty path, QOR_ERR_IO when the file cannot be written,
 * QOR_ERR_GRAPHICS for an invalid context. */
int qor_graphics_save_png(qor_context* ctx, const char* path);

QOR_EXTERN_C_END

#endif
