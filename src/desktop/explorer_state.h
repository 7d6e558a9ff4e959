// The file explorer's shared state (one record for the Files and homet
// windows); its home is the bootsys tree's homet folder.
#pragma once

#include "qoros/qor_types.h"
#include "session/bootsys_paths.h"

#include <cstdint>

namespace qor::desktop {

struct file_entry {
    char name[QOR_PATH_MAX];
    uint64_t size;
    uint8_t is_dir;
    char type[16];
    char modified[32];
};

constexpr int kExplorerMaxEntries = 128;

struct explorer_state {
    char path[QOR_PATH_MAX];
    file_entry entries[kExplorerMaxEntries];
    int32_t count;
    int32_t selected;
    int32_t scroll;
    int32_t sidebar_selected;
};

extern explorer_state g_files;

} // namespace qor::desktop
