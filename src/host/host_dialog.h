// Telling the user about a failure that ends the program before any
// desktop exists.
#pragma once

namespace qor::host {

// Shows an error with its caption and waits until the user has seen it. A
// window backend installs a message box; without one the text goes to the
// console's error stream, where the person who started the program looks.
void show_error_box(const char* caption, const char* text);

using error_box_fn = void (*)(const char* caption, const char* text);
void set_error_box_presenter(error_box_fn presenter);

} // namespace qor::host
