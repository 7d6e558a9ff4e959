/* QorOS accounted memory allocation. */
#ifndef QOROS_QOR_MEMORY_H
#define QOROS_QOR_MEMORY_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Accounted allocation: every block carries a 32-byte header so the kernel
   knows how many blocks and bytes are live. One thread at a time. */

/* size bytes, or NULL for size 0, for a size whose block would not fit in
   the address space, or when the heap is exhausted. */
void* qor_kernel_alloc(uint64_t size);
void* qor_kernel_alloc_zero(uint64_t size);
/* Ignores NULL and pointers whose header lacks the live-block magic. */
void qor_kernel_free(void* p);
/* NULL p allocates; size 0 frees and returns NULL; on failure NULL and the
   old block stays valid. */
void* qor_kernel_realloc(void* p, uint64_t size);
/* Bytes held in live blocks (headers not counted). */
uint64_t qor_kernel_get_used_memory(void);

QOR_EXTERN_C_END

#endif
