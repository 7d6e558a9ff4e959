// The hook layer. A hosted system performs no port I/O, halts no CPU and
// maps no disk at this level, so those entry points are inert; the hotkey
// test reads the real keyboard through the host.
#include "host/host_keys.h"
#include "host/host_time.h"

#include <qoros/qor_hooks.h>

extern "C" int qor_asm_init_keyhook(void) {
    return QOR_OK;
}

// Level-triggered: true on every call while all three keys stay held.
extern "C" bool qor_asm_check_disk_hotkey(void) {
    const bool ctrl = qor::host::key_held(qor::host::keys::kKeyCtrl);
    const bool tab = qor::host::key_held(qor::host::keys::kKeyTab);
    const bool a = qor::host::key_held(qor::host::keys::kKeyA);
    return ctrl && tab && a;
}

extern "C" uint64_t qor_asm_get_ticks(void) {
    return qor::host::tick_count_ms();
}

extern "C" int64_t qor_asm_get_key_state(uint32_t) {
    return 0;
}
extern "C" int64_t qor_asm_disk_map(uint32_t) {
    return 0;
}
extern "C" void qor_asm_cpu_halt(void) {}
extern "C" int64_t qor_asm_inb(uint16_t) {
    return 0;
}
extern "C" void qor_asm_outb(uint16_t, uint8_t) {}
