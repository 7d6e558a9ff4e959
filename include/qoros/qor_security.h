/* QorOS security layer: protected paths, watched processes, memory-load
 * audit and a canary stack with an overflow check. */
#ifndef QOROS_QOR_SECURITY_H
#define QOROS_QOR_SECURITY_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Table capacities. */
#define QOR_SECURITY_MAX_PROTECTED_FILES 256
#define QOR_SECURITY_MAX_PROTECTED_PROCESSES 128
#define QOR_SECURITY_CANARY_CAPACITY 64

/* The canary stored at stack index i is QOR_SECURITY_CANARY_BASE + i. */
#define QOR_SECURITY_CANARY_BASE 0xDEADBEF0u

/* Access-mode bits that a protected path refuses; any other bit (0x1 for
 * reading, say) passes every protected path. */
#define QOR_ACCESS_READ 0x1u
#define QOR_ACCESS_WRITE 0x2u
#define QOR_ACCESS_EXECUTE 0x4u

/* Activates the layer once (later calls change nothing) and protects the
 * host's five system folders. Always 0. */
int qor_security_init(void);

/* 0 when added or already protected; QOR_ERR_NO_MEMORY without memory for
 * the copy; QOR_ERR_SECURITY for a null path or a full table. */
int qor_security_protect_file(const char* path);
/* 0; QOR_ERR_SECURITY for a null path; QOR_ERR_NOT_FOUND when not protected. */
int qor_security_unprotect_file(const char* path);
/* True when an access with the given mode may touch the path. */
bool qor_security_check_file_access(const char* path, uint32_t mode);

/* 0 when watched (or already watched); QOR_ERR_PROCESS when the process
 * cannot be opened; QOR_ERR_SECURITY for id 0 or a full table. */
int qor_security_protect_process(int32_t pid);
/* 0 while the process runs; QOR_ERR_PROCESS once it has ended (the slot is
 * released) or when it cannot be queried; QOR_ERR_SECURITY for id 0;
 * QOR_ERR_NOT_FOUND when not watched. */
int qor_security_monitor_process(int32_t pid);

/* 0 when at most 90 percent of physical memory is in use; QOR_ERR_NO_MEMORY
 * above that; QOR_ERR_INVALID_ARG when the host cannot tell;
 * QOR_ERR_NOT_INIT before qor_security_init. */
int qor_security_memory_audit(void);

/* True when a block at this address and of this size looks like an
 * overflow: a huge size, an address in the lowest 64 KiB, or a top canary
 * that no longer holds its value. */
bool qor_security_check_overflow(uint64_t address, uint64_t size);
/* The number of canaries after the push (the capacity when already full). */
uint32_t qor_security_canary_push(void);
/* True when the popped canary was intact; false when changed or empty. */
bool qor_security_canary_pop(void);

/* Index of the protected-path slot equal to the path (case folded after the
 * same normalisation the table applies), or -1. */
int find_protected_file(const char* path);
/* 0 when equal ignoring the case of A-Z; otherwise -1 or 1 by the first
 * differing folded byte (as signed char), or by which text ends first. */
int sec_strcasecmp(const char* a, const char* b);

QOR_EXTERN_C_END

#endif
