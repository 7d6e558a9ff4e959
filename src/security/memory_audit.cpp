// Memory audit: warns when the host is close to running out of memory.
#include "security/security_state.h"

#include "host/host_memory.h"

namespace {

constexpr uint32_t kHighLoadPercent = 90;

} // namespace

extern "C" int qor_security_memory_audit(void) {
    if (!qor::security::g_initialized.load()) return QOR_ERR_NOT_INIT;
    qor::host::memory_status status;
    if (!qor::host::query_memory(&status)) return QOR_ERR_INVALID_ARG;
    return status.load_percent > kHighLoadPercent ? QOR_ERR_NO_MEMORY : QOR_OK;
}
