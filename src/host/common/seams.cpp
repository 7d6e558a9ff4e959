// The replaceable host services: a test (or the window backend, for the
// error box) installs a replacement; otherwise the backend answers.
#include "host/host_dialog.h"
#include "host/host_drives.h"
#include "host/host_memory.h"
#include "host/native.h"

#include <atomic>

namespace qor::host {

namespace {
std::atomic<drive_source> g_drive_source{nullptr};
std::atomic<memory_query_fn> g_memory_query{nullptr};
std::atomic<error_box_fn> g_presenter{nullptr};
} // namespace

std::vector<drive> list_drives() {
    const drive_source source = g_drive_source.load(std::memory_order_acquire);
    return source ? source() : native::list_drives();
}

void set_drive_source(drive_source source) {
    g_drive_source.store(source, std::memory_order_release);
}

bool query_memory(memory_status* out) {
    if (!out) return false;
    const memory_query_fn replacement = g_memory_query.load();
    return replacement ? replacement(out) : native::query_memory(out);
}

void set_memory_query(memory_query_fn query) {
    g_memory_query.store(query);
}

void show_error_box(const char* caption, const char* text) {
    if (const error_box_fn presenter = g_presenter.load()) {
        presenter(caption, text);
        return;
    }
    native::show_error_box(caption, text);
}

void set_error_box_presenter(error_box_fn presenter) {
    g_presenter.store(presenter);
}

} // namespace qor::host
