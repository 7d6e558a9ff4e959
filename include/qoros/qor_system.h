/* QorOS kernel clock and system information. */
#ifndef QOROS_QOR_SYSTEM_H
#define QOROS_QOR_SYSTEM_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Figures of the running system, gathered by qor_system_get_info. Texts are
   read-only and owned by the library. */
typedef struct qor_system_info {
    const char* version;
    const char* build; /* build date and time, "Mmm dd yyyy hh:mm:ss" */
    uint64_t uptime_ms;
    uint64_t total_memory; /* host physical memory in bytes, 0 if unknown */
    uint64_t used_memory;  /* bytes held through qor_kernel_alloc */
    uint32_t process_count;
    uint32_t window_count;
    bool m_drive_active;
} qor_system_info;

/* Starts the millisecond clock; always 0, a second call keeps the start. */
int qor_system_init(void);
/* 0 while the clock runs, QOR_ERR_NOT_INIT otherwise. */
int qor_system_run(void);
void qor_system_shutdown(void);
/* Milliseconds since qor_system_init; 0 while stopped. */
uint64_t qor_system_get_uptime(void);
/* QOR_ERR_INVALID_ARG for a null record, else fills it and returns 0. */
int qor_system_get_info(qor_system_info* info);

QOR_EXTERN_C_END

#endif
