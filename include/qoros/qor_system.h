/* QorOS kernel clock and system information. */
#ifndef QOROS_QOR_SYSTEM_H
#define QOROS_QOR_SYSTEM_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
