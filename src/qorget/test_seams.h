// Replaceable parts of the downloader, for tests only: the source table (so
// speed tests and downloads can run against servers on this machine) and the
// clock (so measured speeds do not depend on how busy the machine is).
#pragma once

#include "qorget/source_table.h"

namespace qor::qorget {

// rows must hold QORGET_SOURCE_COUNT rows and outlive its use; nullptr puts
// the built-in table back.
void replace_sources_for_tests(const qorget_source* rows);

using tick_clock = uint64_t (*)();
// nullptr puts the host's tick counter back.
void replace_clock_for_tests(tick_clock clock);

} // namespace qor::qorget
