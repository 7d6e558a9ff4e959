// Keyboard state: every answer comes straight from the host, nothing is cached.
#include "kernel/key_state.h"

#include "host/host_keys.h"

#include <qoros/qor_event.h>

namespace qor::kernel {

namespace {

using namespace qor::host::keys;

struct modifier_key {
    uint32_t key;
    uint32_t bit;
};

constexpr modifier_key kModifierKeys[] = {
    {kKeyCtrl, QOR_MOD_CTRL}, {kKeyShift, QOR_MOD_SHIFT}, {kKeyAlt, QOR_MOD_ALT},
    {kKeyTab, QOR_MOD_TAB},   {kKeyLeftWin, QOR_MOD_WIN}, {kKeyRightWin, QOR_MOD_WIN},
};

} // namespace

uint32_t current_modifiers() {
    uint32_t bits = 0;
    for (const modifier_key& entry : kModifierKeys) {
        if (host::key_held(entry.key)) bits |= entry.bit;
    }
    return bits;
}

} // namespace qor::kernel

extern "C" bool qor_event_key_is_down(int key) {
    if (key < 0 || key > 255) return false;
    return qor::host::key_held(static_cast<uint32_t>(key));
}

extern "C" uint32_t qor_event_get_modifiers(void) {
    return qor::kernel::current_modifiers();
}
