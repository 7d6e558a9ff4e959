#include "host/host_dialog.h"

#include <atomic>
#include <cstdio>

namespace qor::host {

namespace {
std::atomic<error_box_fn> g_presenter{nullptr};
}

void show_error_box(const char* caption, const char* text) {
    if (const error_box_fn presenter = g_presenter.load()) {
        presenter(caption, text);
        return;
    }
    std::fprintf(stderr, "\n  [%s]\n  %s\n", caption, text);
    std::fflush(stderr);
}

void set_error_box_presenter(error_box_fn presenter) {
    g_presenter.store(presenter);
}

} // namespace qor::host
