/* QorOS accounted memory allocation. */
#ifndef QOROS_QOR_MEMORY_H
#define QOROS_QOR_MEMORY_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

QOR_EXTERN_C_END

#endif
