/* QorOS system log and temporary area. */
#ifndef QOROS_QOR_LOG_H
#define QOROS_QOR_LOG_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* The system tree in the host's temporary folder: <temp>/QorOS with Logs,
   Temp and Apps. Built once, on the first call of any operation here. */
void qpa_ensure_dirs(void);
const char* qor_log_get_dir(void);
const char* qor_temp_get_dir(void);
const char* qor_apps_get_dir(void);

/* Appends "[yyyy-mm-dd hh:mm:ss.mmm] [level] message\r\n" to Logs/system.log.
   A line longer than 1023 bytes is cut at a UTF-8 character boundary and
   still ends with "\r\n". 0, -1 for a null text, -4 when it cannot be
   written. */
int qor_log_write(const char* level, const char* message);
int qor_log_info(const char* message);
int qor_log_warn(const char* message);
int qor_log_error(const char* message);

/* Deletes *.log files in the log folder older than `days` whole days.
   0, or -4 when a deletion failed. */
int qor_log_cleanup(uint32_t days);

/* Create a uniquely named empty file / folder in the temporary area and copy
   its path into out (at most size - 1 bytes, always terminated).
   0, -1 for a null out or size 0, -4 when nothing could be created. */
int qor_temp_create(char* out, size_t size);
int qor_temp_mkdir(char* out, size_t size);

/* Empties the temporary area one level deep: files are deleted, empty
   folders removed, non-empty folders kept. 0, or -4 when a file deletion
   failed. */
int qor_temp_cleanup(void);

QOR_EXTERN_C_END

#endif
