/* QorOS event queue and keyboard state. */
#ifndef QOROS_QOR_EVENT_H
#define QOROS_QOR_EVENT_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Event types. */
#define QOR_EVENT_NONE 0
#define QOR_EVENT_KEY_DOWN 1
#define QOR_EVENT_QUIT 10
#define QOR_EVENT_DISK_MOUNT 11

/* Modifier bits. */
#define QOR_MOD_CTRL 0x01u
#define QOR_MOD_SHIFT 0x02u
#define QOR_MOD_ALT 0x04u
#define QOR_MOD_TAB 0x08u
#define QOR_MOD_WIN 0x10u

/* The ring holds this many slots; one stays free, so at most 1023 events wait. */
#define QOR_EVENT_QUEUE_SLOTS 1024

/* One input event, copied whole by value. Keys are Windows virtual-key codes. */
typedef struct qor_event {
    int32_t type;
    int32_t key;
    uint32_t modifiers;
    int32_t param1;
    int32_t param2;
    int32_t param3;
    int32_t window;     /* window registry id, 0 for none */
    uint64_t timestamp; /* millisecond tick count when the event arose */
    int64_t user_data;
} qor_event;

/* Stores a copy of the event: 0, or -1 when the event is null or the queue is
   full (the event is dropped). A timestamp of 0 is replaced by the current
   tick count, in the stored copy and in *event. */
int qor_event_push(qor_event* event);

/* Takes the next event without waiting; -1 for a null record, else 0. While
   Ctrl+Tab+A are held it reports QOR_EVENT_DISK_MOUNT and leaves the queue
   alone. With nothing there only type is set (to QOR_EVENT_NONE). */
int qor_event_poll(qor_event* event);

/* Takes the next event, sleeping up to timeout_ms for one (0 = no limit);
   -1 for a null record, else 0 with type QOR_EVENT_NONE when none came. */
int qor_event_wait(qor_event* event, uint32_t timeout_ms);

/* Whether the key is held now; false for codes outside 0..255. */
bool qor_event_key_is_down(int key);

/* The modifier bits of the keys held now. */
uint32_t qor_event_get_modifiers(void);

QOR_EXTERN_C_END

#endif
