/* QorOS low-level hook stubs and the disk-mount hotkey. */
#ifndef QOROS_QOR_HOOKS_H
#define QOROS_QOR_HOOKS_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* The hook layer: hosted stand-ins for hardware-level entry points, plus the
   one real test, the Ctrl+Tab+A disk-mount hotkey. */
int qor_asm_init_keyhook(void);
/* True while Ctrl (0x11), Tab (0x09) and A (0x41) are all held now. */
bool qor_asm_check_disk_hotkey(void);
/* The host's millisecond tick count. */
uint64_t qor_asm_get_ticks(void);

/* Hardware operations a hosted system does not perform: they ignore their
   arguments and return 0 or do nothing. */
int64_t qor_asm_get_key_state(uint32_t virtual_key);
int64_t qor_asm_disk_map(uint32_t drive);
void qor_asm_cpu_halt(void);
int64_t qor_asm_inb(uint16_t port);
void qor_asm_outb(uint16_t port, uint8_t value);

QOR_EXTERN_C_END

#endif
