// Opening a document with the user's default program for its type (the
// shell's "open" verb). Fire and forget: the caller is never told whether a
// program accepted the document.
#pragma once

namespace qor::host {

// Starts the default program for the file at path, detached from this
// process (xdg-open on Linux).
void open_document(const char* path);

// Tests replace the opener so no program starts; nullptr restores the host's.
using document_opener = void (*)(const char* path);
void set_document_opener(document_opener opener);

} // namespace qor::host
