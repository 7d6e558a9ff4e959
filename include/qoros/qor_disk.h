/* QorOS virtual M: drive: one empty folder per host drive under
   <host temporary folder>QorOS_MDrive, and drive-letter paths resolved into
   those folders. */
#ifndef QOROS_QOR_DISK_H
#define QOROS_QOR_DISK_H

#include "qor_io.h"
#include "qor_types.h"

QOR_EXTERN_C_BEGIN

#define QOR_DISK_MAX_DRIVES 26

/* Drive kinds. */
#define QOR_DISK_FIXED 0
#define QOR_DISK_REMOVABLE 1
#define QOR_DISK_NETWORK 2

/* One mounted host drive. Both texts belong to the drive table: copies
   handed out by qor_disk_list point into it, so callers neither release them
   nor use them after qor_disk_unmount_all. */
typedef struct qor_disk_entry {
    char* letter;         /* the drive's root, "C:\" */
    char* mount_path;     /* its folder, <mount root>/DiskDrC */
    int32_t kind;         /* QOR_DISK_FIXED, _REMOVABLE or _NETWORK */
    uint64_t total_bytes; /* 0 when the host cannot tell */
    uint64_t free_bytes;
    bool mounted;
} qor_disk_entry;

/* Creates the mount root and one folder per fixed, removable or network
   drive. 0, also when mounted already; QOR_ERR_DISK when the temporary folder
   or the mount root is unavailable or the host reports no drives. */
int qor_disk_mount_all(void);

/* Removes the drive folders and the mount root where they are empty (files
   written into the drive survive) and empties the table. Always 0. */
int qor_disk_unmount_all(void);

/* Copies up to capacity rows in drive-letter order; -1 for absent pointers. */
int qor_disk_list(qor_disk_entry* out, uint32_t capacity, uint32_t* out_count);

/* Resolves "C:\Users\a", "c:/Users/a", "C:Users" or "C:" into the drive's
   folder. Both separators become the host's. On success *out_resolved is a
   new heap block the caller releases with free() or qor_free().
   -1 malformed path, absent argument, a ".." segment, or a result longer than
   259 bytes; -2 no memory; QOR_ERR_DISK not mounted; QOR_ERR_NOT_FOUND no
   mounted drive with that letter. */
int qor_disk_resolve_path(const char* path, char** out_resolved);

/* One read of up to size bytes from an existing host file (resolve first).
   -1 absent argument, QOR_ERR_IO open or read failed. */
int qor_disk_read_file(const char* host_path, void* buffer, uint32_t size, uint64_t* out_read);

/* Creates or replaces a host file with size bytes. -1 absent argument,
   QOR_ERR_IO create or write failed. */
int qor_disk_write_file(const char* host_path, const void* data, uint32_t size,
                        uint64_t* out_written);

QOR_EXTERN_C_END

#endif
