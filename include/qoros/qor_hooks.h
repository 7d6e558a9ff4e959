/* QorOS low-level hook stubs and the disk-mount hotkey. */
#ifndef QOROS_QOR_HOOKS_H
#define QOROS_QOR_HOOKS_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
