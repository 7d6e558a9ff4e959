/* QorOS package downloader and mirror sources. */
#ifndef QOROS_QORGET_H
#define QOROS_QORGET_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Mirror sources: seven fixed rows with ids 0 to 6. */
#define QORGET_SOURCE_COUNT 7
/* Not a row: as a source id of a download it means "choose the fastest source". */
#define QORGET_SOURCE_FASTEST 7

/* 7. */
uint32_t qorget_source_count(void);
/* Id of the row at that index; 0 for an index past the last row. */
int32_t qorget_source_at(uint32_t index);
/* Display name of a source, "Unknown" for an id not in the table. */
const char* qorget_source_name(int32_t source_id);
/* "https://" and the host of a source, NULL for an id not in the table. */
const char* qorget_source_base_url(int32_t source_id);

/* Builds the package URL of a source into out (cut to size, always terminated).
 * version NULL means "latest". Name and version are percent-encoded.
 * QOR_OK; QOR_ERR_INVALID_ARG when name or out is missing or size is 0;
 * QOR_ERR_NOT_FOUND for an id not in the table. */
int qorget_build_package_url(int32_t source_id, const char* name, const char* version, char* out,
                             size_t size);
/* Builds the search URL of a source for a percent-encoded query; results as above. */
int qorget_build_search_url(int32_t source_id, const char* query, char* out, size_t size);

/* Fetches the source's small speed-test resource and returns KiB per second
 * (time measured includes connecting); 0 on any failure, answers outside
 * 2xx included. Blocks for the request. */
uint32_t qorget_source_speed_test(int32_t source_id);
/* Speed-tests every source in row order; the strictly fastest wins, ties go
 * to the lower id, and 0 when every test measures 0. */
int32_t qorget_find_fastest_source(void);

/* Downloads a URL ("http://" or "https://", lower case) or a package given by
 * bare name through a source (0 to 6, or QORGET_SOURCE_FASTEST) into dest.
 * The file appears only when the whole body arrived; a failed download leaves
 * an existing dest untouched. QOR_OK; QOR_ERR_INVALID_ARG; QOR_ERR_IO when dest
 * cannot be created or written; QOR_ERR_NETWORK when the client or URL cannot
 * be opened, the answer is outside 2xx or the transfer breaks off;
 * QOR_ERR_NOT_FOUND for a name with an id not in the table. */
int qorget_download(const char* url_or_name, const char* dest, int32_t source_id);

/* Runs the repository search for query and stores up to capacity lines
 * "[<source>] <query> - from <source> mirror", one per source in table order.
 * Each line is allocated with malloc; the caller releases it with free().
 * QOR_OK; QOR_ERR_INVALID_ARG; QOR_ERR_NO_MEMORY; QOR_ERR_NETWORK (count 0). */
int qorget_search(const char* query, char** lines, uint32_t capacity, uint32_t* count);

/* Downloads package name into "<host temporary folder><name>.qpa".
 * QOR_ERR_INVALID_ARG for a missing name or one that could leave that folder
 * (empty, a path separator or ".."); QOR_ERR_IO without a temporary folder;
 * otherwise the result of qorget_download. */
int qorget_install(const char* name, int32_t source_id);

/* Percent of the announced length received by the current or last download;
 * 100 at the end of a download without announced length. */
uint32_t qorget_get_progress(void);

QOR_EXTERN_C_END

#endif
