/* QorOS process table and scheduler. */
#ifndef QOROS_QOR_PROCESS_H
#define QOROS_QOR_PROCESS_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

#define PROC_RUNNING 1
#define PROC_READY 2
#define PROC_TERMINATED 4

/* One entry of the kernel's process table (bookkeeping only: no host
   process belongs to it). `name` stays owned by the table. */
typedef struct qor_process {
    int32_t pid;
    const char* name;
    int32_t state;
    uint64_t start_time; /* host tick count in ms at spawn */
    uint64_t counter1;
    uint64_t counter2;
    int32_t priority;
} qor_process;

#define QOR_PROCESS_CAPACITY 256

/* The new pid (pids start at 1 and are never reused), or 0 when full. */
int qor_kernel_spawn_process(const char* name, int priority);
int qor_kernel_terminate_process(int pid);
int qor_kernel_get_process(int pid, qor_process* out);
/* Copies live entries in slot order, at most capacity of them. */
int qor_kernel_list_processes(qor_process* out, unsigned capacity, int* out_count);
int qor_kernel_set_priority(int pid, int priority);
/* One round-robin step: the next ready entry after the running one runs. */
void qor_kernel_schedule(void);

QOR_EXTERN_C_END

#endif
