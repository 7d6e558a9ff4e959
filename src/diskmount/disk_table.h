// The drive table behind the virtual M: drive, shared by mounting, listing
// and path resolution. Touched from the desktop's main thread only; the mount
// state alone may be read from anywhere.
#pragma once

#include <qoros/qor_disk.h>

namespace qor::diskmount {

// True between a successful mount and the next unmount.
bool is_mounted();

// The mounted row whose letter is `letter` (upper case), or nullptr.
const qor_disk_entry* find_drive(char letter);

} // namespace qor::diskmount
