/* QorOS shared result codes and export conventions. */
#ifndef QOROS_QOR_TYPES_H
#define QOROS_QOR_TYPES_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define QOR_EXTERN_C_BEGIN extern "C" {
#define QOR_EXTERN_C_END }
#else
#define QOR_EXTERN_C_BEGIN
#define QOR_EXTERN_C_END
#endif

/* Every path the system holds fits in this many bytes, terminator included. */
#define QOR_PATH_MAX 260

/* Result codes shared by every subsystem; negative values are failures. */
#define QOR_OK 0
#define QOR_ERR_INVALID_ARG (-1)
#define QOR_ERR_NO_MEMORY (-2)
#define QOR_ERR_PROCESS (-3)
#define QOR_ERR_IO (-4)
#define QOR_ERR_GRAPHICS (-5)
#define QOR_ERR_SECURITY (-6)
#define QOR_ERR_DISK (-7)
#define QOR_ERR_NETWORK (-8)
#define QOR_ERR_NOT_FOUND (-9)
#define QOR_ERR_NOT_INIT (-11)

#endif
