// Path arithmetic of the explorer on fixed 260-byte buffers.
#pragma once

#include "qoros/qor_types.h"

namespace qor::desktop {

// folder + separator + name. False (out emptied) when the result would not fit:
// a cut path would name a different file or folder.
bool explorer_join(const char* folder, const char* name, char (&out)[QOR_PATH_MAX]);

// The folder above path: trailing separators are ignored, the path is cut at
// its last separator, and a cut that leaves only a drive designator ("C:") or
// nothing (where the root is the bare separator) gets the separator back so it
// names the root. False when path has nothing above it.
bool explorer_parent(const char* path, char (&out)[QOR_PATH_MAX]);

// The home-relative text of the address box: "homet", "homet > sub", or the
// whole path when it lies outside the home folder.
void explorer_address_text(const char* path, const char* home, char (&out)[QOR_PATH_MAX]);

} // namespace qor::desktop
