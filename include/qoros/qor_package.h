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

/* Host file handle used by the package library; QPA_INVALID_FILE when none. */
typedef intptr_t qpa_file;
#define QPA_INVALID_FILE ((qpa_file)-1)

/* Opens an existing file for reading (others may read it too). */
qpa_file qpa_open_file_read(const char* path);
/* Creates or truncates a file for writing. */
qpa_file qpa_open_file_write(const char* path);
/* Closes a handle from the two functions above; the invalid handle is ignored. */
void qpa_close_file(qpa_file file);

/* CRC-32 of zlib and PNG over the bytes; 0 when data is NULL or length is 0. */
uint32_t qpa_crc32(const void* data, size_t length);

/* Writes the package of a Windows program: 0, or -1 (argument absent, input
   not a program), -4 (input unreadable or empty, output not written). The
   program is streamed, so memory stays bounded whatever its size. The
   destination is replaced only by a complete package; on any failure an
   existing file there keeps its content. */
int qpa_convert_exe(const char* exe_path, const char* qpa_path, const char* name,
                    const char* version, const char* author, const char* description,
                    const char* icon_path, const char* category, int flags);
/* The whole content of a file in a buffer from malloc (release it with free),
   its length in *out_size; NULL on any failure. */
uint8_t* qpa_read_file_all(const char* path, size_t* out_size);
/* Copies at most size - 1 bytes of src, terminates the copy and zeroes the
   rest of the size-byte field; does nothing when src is NULL. */
void qpa_strncpy_safe(char* dst, const char* src, size_t size);

/* Checks the package's CRC-32: true when the file is intact. */
bool qpa_verify(const char* qpa_path);
/* Extract the wrapped program or the icon: 0, -1, -4, or -9 (no icon). The
   output is replaced only by a complete copy. */
int qpa_extract_exe(const char* qpa_path, const char* out_path);
int qpa_extract_icon(const char* qpa_path, const char* out_path);

/* Extracts the package's program into a fresh folder of the temporary area
   and starts it through the host shell (on Linux with wine from PATH), in
   working_dir or, when NULL, that folder; params may be NULL. Does not wait.
   0, -1, -3 (the program could not be started), -4, or the temporary area's
   code; every failure but a NULL path leaves an ERROR line in the log. */
int qpa_run_app(const char* qpa_path, const char* working_dir, const char* params);

QOR_EXTERN_C_END

#endif
