// Error box on Windows: a message box without owner window, error icon and
// an OK button; the call returns once the user has dismissed it.
#include "host/host_dialog.h"
#include "host/win32/wide.h"

#include <windows.h>

#include <atomic>

namespace qor::host {

namespace {
std::atomic<error_box_fn> g_presenter{nullptr};
}

void show_error_box(const char* caption, const char* text) {
    if (const error_box_fn presenter = g_presenter.load()) {
        presenter(caption, text);
        return;
    }
    MessageBoxW(nullptr, win32::widen(text).c_str(), win32::widen(caption).c_str(),
                MB_OK | MB_ICONERROR);
}

void set_error_box_presenter(error_box_fn presenter) {
    g_presenter.store(presenter);
}

} // namespace qor::host
