// The mirror source table as the downloader sees it.
#pragma once

#include <qoros/qorget.h>

// One mirror source. The URL fields are templates whose "%s" slots take the
// package name, the version and the name again (package URLs), or the query
// (search URLs).
struct qorget_source {
    int32_t id;
    const char* name;
    const char* base_url;
    const char* package_url_fmt;
    const char* search_url_fmt;
    const char* speed_test_url;
};

namespace qor::qorget {

// The QORGET_SOURCE_COUNT rows in use: the built-in table unless a test put
// its own in place.
const qorget_source* source_rows();

// The first row with that id, or nullptr.
const qorget_source* find_source(int32_t source_id);

// Milliseconds from the clock in use (the host's tick counter unless a test
// put its own in place).
uint64_t ticks_ms();

} // namespace qor::qorget
