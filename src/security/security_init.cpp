// Start-up of the security layer: empty tables plus the host's system folders.
#include "security/security_state.h"

#include "host/host_system_folders.h"

#include <mutex>

namespace qor::security {

std::atomic<bool> g_initialized{false};

namespace {

std::once_flag g_init_once;

void initialize() {
    clear_protected_files();
    clear_protected_processes();
    clear_canaries();
    for (const char* folder : host::protected_system_folders()) {
        // A folder that cannot be added leaves the others protected.
        (void)qor_security_protect_file(folder);
    }
    g_initialized.store(true);
}

} // namespace

} // namespace qor::security

extern "C" int qor_security_init(void) {
    std::call_once(qor::security::g_init_once, qor::security::initialize);
    return QOR_OK;
}
