/* QorOS kernel file I/O. Every failure, missing arguments included, is
   QOR_ERR_IO (-4). Paths are used as they are (on Linux with '/'). */
#ifndef QOROS_QOR_IO_H
#define QOROS_QOR_IO_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Releases a block the library handed to the caller (listed names, resolved
   paths). Same as free(); for callers that cannot reach the C runtime's free. */
void qor_free(void* block);

/* One read of up to size bytes from the start of an existing file. 0 when the
   read succeeded (a longer file is read in part); *out_read (optional) gets
   the bytes read, 0 when the file cannot be opened. A negative size is -4 and
   the file is not opened. */
int qor_kernel_io_read(const char* path, void* buffer, int32_t size, uint64_t* out_read);

/* Creates or truncates the file and writes size bytes; *out_written
   (optional) gets the bytes written. A negative size is -4 and the file is
   not touched. */
int qor_kernel_io_write(const char* path, const void* data, int32_t size, uint64_t* out_written);

/* Lists up to capacity names of a folder ("" = the current folder) in the
   host's order, without "." and "..". Each names[i] is a separate heap block
   that the caller releases with free() or qor_free(). Paths longer than 256
   characters are refused. */
int qor_kernel_io_list_dir(const char* path, char** names, uint32_t capacity, int32_t* out_count);

QOR_EXTERN_C_END

#endif
