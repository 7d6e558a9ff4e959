/* Draws the QorOS emblem with QorOS's own graphics engine: the taskbar's
 * orange ring on the desktop's blue gradient, around the letter Q.
 * scripts/render-icon.sh builds and runs it; the PNG is committed, so a
 * build never needs to draw it. Argument: the PNG to write. */
#include <qoros/qor_api.h>
#include <stdio.h>

static qor_color rgb(uint8_t r, uint8_t g, uint8_t b) {
    qor_color c = {b, g, r, 255};
    return c;
}

int main(int argc, char** argv) {
    enum { SIZE = 256 };
    if (argc != 2) {
        fprintf(stderr, "usage: %s <icon.png>\n", argv[0]);
        return 1;
    }
    if (qor_graphics_init() != QOR_OK) return 1;
    qor_context* ctx = qor_graphics_create_context(SIZE, SIZE);
    if (!ctx) return 1;
    const qor_rect all = {0, 0, SIZE, SIZE};
    const qor_point centre = {SIZE / 2, SIZE / 2};
    const qor_point letter = {71, 34};
    int rc = qor_graphics_gradient_fill(ctx, &all, rgb(20, 40, 90), rgb(60, 110, 180), true);
    if (rc == QOR_OK) rc = qor_graphics_fill_circle(ctx, centre, 112, rgb(200, 120, 0));
    if (rc == QOR_OK) rc = qor_graphics_fill_circle(ctx, centre, 92, rgb(30, 30, 40));
    if (rc == QOR_OK) rc = qor_graphics_draw_text(ctx, "Q", letter, rgb(255, 255, 255), 150);
    if (rc == QOR_OK) rc = qor_graphics_save_png(ctx, argv[1]);
    qor_graphics_destroy_context(ctx);
    return rc == QOR_OK ? 0 : 1;
}
