/* QorOS application packages (.qpa): header record, reader and runner. */
#ifndef QOROS_QOR_PACKAGE_H
#define QOROS_QOR_PACKAGE_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

#define QPA_HEADER_SIZE 512

#define QPA_FLAG_ICON 0x0001
#define QPA_FLAG_GUI 0x0004
#define QPA_FLAG_ADMIN 0x0008
#define QPA_FLAG_MDRIVE 0x0010

/* The 512-byte package header: the file layout and the in-memory record are
   the same bytes, little-endian, with no alignment gaps. */
#pragma pack(push, 1)
typedef struct qpa_header {
    uint8_t magic[8]; /* "QORAPP\0\0" */
    uint16_t format_version;
    uint16_t flags;
    char name[64];
    char version[32];
    char author[32];
    char description[128];
    char category[32];
    uint64_t icon_offset;
    uint64_t icon_size;
    uint64_t exe_offset;
    uint64_t exe_size;
    uint64_t exe_size_2;
    int64_t created_time;
    uint32_t fixed_600;
    uint32_t crc32;
    uint8_t reserved[156];
} qpa_header;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(qpa_header) == QPA_HEADER_SIZE, "qpa_header must be 512 bytes");
#else
_Static_assert(sizeof(qpa_header) == QPA_HEADER_SIZE, "qpa_header must be 512 bytes");
#endif

/* Reads the first 512 bytes of a package into *out. 0 when they start with
   the magic; -1 for a missing argument, a file shorter than 512 bytes or a
   wrong magic; -4 when the file cannot be opened or read. */
int qpa_read_header(const char* path, qpa_header* out);

/* Fills list with the headers of the valid *.qpa files in the packages
   folder (qor_apps_get_dir), in the host's listing order, at most capacity
   of them; *count receives how many. 0, or -1 for a null list or count. */
int qpa_list_installed(qpa_header* list, uint32_t capacity, uint32_t* count);

QOR_EXTERN_C_END

#endif
