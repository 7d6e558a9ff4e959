/* QorOS window registry: up to 64 windows, each with a title, bounds, a
   visibility flag, a background colour and a rendering context of its own.
   Safe to call from several threads. */
#ifndef QOROS_QOR_WINDOW_H
#define QOROS_QOR_WINDOW_H

#include "qor_graphics.h"
#include "qor_types.h"

QOR_EXTERN_C_BEGIN

#define QOR_WINDOW_MAX 64

/* The public part of a registry entry, copied out by qor_window_list. The
   title stays owned by the registry: valid until that window's title changes
   or the window is destroyed. */
typedef struct qor_window_info {
    int32_t id;
    char* title;
    qor_rect bounds;
    int32_t user1;
    int32_t user2;
    uint8_t visible;
    qor_color bg_color;
} qor_window_info;

/* Registers a window with a w x h context cleared to opaque black; a null
   title becomes "QorOS Window". The first window while none is active becomes
   active and visible, later ones start hidden. Returns the new id (ids only
   grow, never reused), or 0 for a non-positive size, a full table or no
   memory for the context. */
int qor_window_create(const char* title, const qor_rect* bounds, int user1, int user2);

/* 0, or QOR_ERR_NOT_FOUND for an unknown id. Destroying or hiding the active
   window makes the first visible window (in table order) active, else none. */
int qor_window_destroy(int id);
int qor_window_show(int id);
int qor_window_hide(int id);

/* -1 for a null title. */
int qor_window_set_title(int id, const char* title);

/* Stores the bounds as given. A new positive size gets a fresh context
   cleared to the background colour (-2 and nothing changes when it cannot be
   created); otherwise the context and its pixels stay. */
int qor_window_set_bounds(int id, const qor_rect* bounds);
int qor_window_get_bounds(int id, qor_rect* out);

/* Stores the colour and clears the window's context with it (a translucent
   colour blends over the old pixels). */
int qor_window_set_bg_color(int id, qor_color color);

/* Id of the active window, 0 for none. */
int qor_window_get_active(void);

/* Copies the public info of up to capacity windows in table order. */
int qor_window_list(qor_window_info* out, unsigned capacity, int* out_count);

QOR_EXTERN_C_END

#endif
