/* QorOS terminal core and command table. */
#ifndef QOROS_QOR_TERMINAL_H
#define QOROS_QOR_TERMINAL_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
