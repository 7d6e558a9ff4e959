// Error box on Windows: a message box without owner window, error icon and
// an OK button; the call returns once the user has dismissed it.
#include "host/native.h"
#include "host/win32/wide.h"

#include <windows.h>

namespace qor::host {

void native::show_error_box(const char* caption, const char* text) {
    MessageBoxW(nullptr, win32::widen(text).c_str(), win32::widen(caption).c_str(),
                MB_OK | MB_ICONERROR);
}

} // namespace qor::host
